#pragma once
// The object-required check of the VBScript checker: members of known
// objects written without their object. Driven by the object list
// "tarnelo.ini": one section per object (a program identifier passed to
// CreateObject, or the fixed names "Wscript" and "TextStream"), one key per
// member, and the value "1" for the members that are checked.
#include "Findings.h"

#include <string>
#include <vector>

namespace vbs {

struct ObjectSection {
    std::wstring name;                  // the section name, exactly as written
    std::vector<std::wstring> members;  // the keys valued "1", spelled as in the file
};

struct ObjectList {
    bool exists = false;  // the file was found
    std::vector<ObjectSection> sections;
};

// Reads the object list file; a missing file gives exists False.
ObjectList ReadObjectList(const std::wstring& path);

// What must stand before the members of a section in this text: "WScript."
// for "Wscript", "." for "TextStream", and for any other object the variable
// of the first "Set variable = ...Object("name" line followed by ".". Empty
// when the script never creates the object.
std::wstring ObjectPrefix(const std::wstring& text, const std::wstring& section);
// The same, given the text folded once (platform::Upper).
std::wstring ObjectPrefix(const std::wstring& text, const std::wstring& upperText, const std::wstring& section);

// Finds each listed member in the text (as a whole word unless wholeWord is
// False) and reports, as "Object required (section) - member", every one in
// code that is not written after its prefix. A member found in code as a
// word of its own takes the list's spelling (an edit). A missing list gives
// the one finding "tarnelo.ini file missing" (line -1).
void CheckObjectRequired(std::wstring& text, const ObjectList& objects, bool wholeWord,
                         std::vector<debugcheck::Finding>& findings, std::vector<debugcheck::Edit>& edits);

} // namespace vbs
