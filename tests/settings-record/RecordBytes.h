#pragma once
// The file form of a settings record, built field by field from the table of
// the record's fields, apart from the code under test, so the tests can
// compare exact bytes and know where each field ends.
#include <cstdint>
#include <string>
#include <vector>

#include "SettingsRecord.h"

struct RecordBytes {
    std::string bytes;
    // Offset just past each of the 50 fields, in file order.
    std::vector<size_t> fieldEnds;
};

RecordBytes BuildRecordBytes(const SettingsRecord& rec);
// Zeroes or empties field `index` (0-based, file order) of rec.
void ClearField(SettingsRecord& rec, size_t index);
constexpr size_t FieldCount = 50;

// A record with every field set to a value of its own.
SettingsRecord FullRecord();
// The library's defaults with WebTempFolder as GetTempPath gives it.
SettingsRecord DefaultRecord();

std::vector<uint8_t> AsVector(const std::string& s);
