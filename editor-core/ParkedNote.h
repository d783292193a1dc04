#pragma once
// What a parked document's note beside its parked file says: whose document
// it is and whether it had changes. A program that did not end cleanly
// leaves parked files behind; their notes let the next start offer the
// changed ones to the user instead of losing them.
#include <string>

#include "EditorType.h"
#include "platform/Files.h"

struct ParkedNote {
    std::wstring path;   // "Untitled" for a document without a file
    std::wstring name;
    EditorType type = EditorType::None;
    bool changed = false;
    platform::FileStamp stamp;   // the file's, when the document last read or wrote it
};

// The note's file for a parked file: the same name with ".inf".
std::wstring ParkedNotePath(const std::wstring& parkedFile);
// Written through the safe write; false when it could not be.
bool WriteParkedNote(const std::wstring& file, const ParkedNote& note);
// False when there is no note or it is not one.
bool ReadParkedNote(const std::wstring& file, ParkedNote& note);
