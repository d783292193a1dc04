// Damaged and crafted images: every call must come back with a failure
// outcome (or, where the damage missed what the reader uses, a success); a
// read outside the file would end this test program.
#include "PeTest.h"
#include "PeWriter.h"
#include "WindowTest.h"

#include <gtest/gtest.h>

#include <set>

namespace petest {
namespace {

const std::set<std::wstring> kExportFailures = {L"Not available. No PE signature in file.",
                                                L"Error mapping file.", L"No export table.",
                                                L"Error attempting to get export list."};
const std::set<std::wstring> kImportFailures = {L"Not available. No PE signature in file.",
                                                L"Error mapping file.", L"No DLL dependencies found.",
                                                L"Error in attempt to find imported DLLs."};

std::wstring Scratch(const std::wstring& name)
{
    return wt::ScratchFolder(L"pe_malformed") + L"\\" + name;
}

PeSpec Full32()
{
    PeSpec spec;
    spec.exports = true;
    spec.names = {"Alpha", "Beta"};
    spec.imports = {"KERNEL32.dll", "USER32.dll"};
    return spec;
}

std::vector<std::vector<uint8_t>> Originals()
{
    return {BuildPe32(Full32()), ReadBytes<std::vector<uint8_t>>(ImageFolder() + L"\\named64.dll"),
            ReadBytes<std::vector<uint8_t>>(ImageFolder() + L"\\imports64.exe")};
}

// A 32-bit image of exactly one page: a read past its end faults.
std::vector<uint8_t> OnePage(PeLayout& layout)
{
    PeSpec spec = Full32();
    spec.fileSize = 0x1000;
    return BuildPe32(spec, &layout);
}

Outcome ExportsOf(const std::vector<uint8_t>& bytes)
{
    EXPECT_TRUE(WriteBytes(Scratch(L"crafted.dll"), bytes));
    return Exports(Scratch(L"crafted.dll"));
}

Outcome ImportsOf(const std::vector<uint8_t>& bytes)
{
    EXPECT_TRUE(WriteBytes(Scratch(L"crafted.dll"), bytes));
    return Imports(Scratch(L"crafted.dll"));
}

// Both readers on the bytes; returns whether both failed.
bool BothFail(const std::vector<uint8_t>& bytes, const std::string& what)
{
    Outcome e = ExportsOf(bytes);
    Outcome i = ImportsOf(bytes);
    EXPECT_TRUE(e.ok ? e.message == L"OK" : kExportFailures.count(e.message) > 0) << what;
    // Only a file without a signature leaves the list as it was.
    bool listKept = i.list == L"before" && i.message == L"Not available. No PE signature in file.";
    EXPECT_TRUE(i.ok ? i.message == L"OK." : kImportFailures.count(i.message) && (i.list.empty() || listKept))
        << what;
    return !e.ok && !i.ok;
}

TEST(PeMalformed, TruncatedAnywhere)
{
    for (const auto& original : Originals()) {
        ASSERT_GT(original.size(), 0x200u);
        for (size_t length = 0; length < original.size(); length += length < 0x200 ? 2 : 24) {
            std::vector<uint8_t> cut(original.begin(), original.begin() + length);
            bool failed = BothFail(cut, "cut at " + std::to_string(length));
            // Without the whole headers nothing can be read.
            if (length < 0x180) {
                EXPECT_TRUE(failed) << length;
            }
        }
    }
}

TEST(PeMalformed, CorruptedAtEveryHeaderField)
{
    PeLayout layout;
    BuildPe32(Full32(), &layout);
    auto originals = Originals();
    for (size_t n = 0; n < originals.size(); ++n) {
        const auto& original = originals[n];
        // The 32-bit image: headers and the data the readers use; the compiled
        // ones: DOS header, NT headers and section table.
        size_t end = n == 0 ? layout.importDir + 60 : 0x200;
        const uint32_t values[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFF0,
                                   static_cast<uint32_t>(original.size())};
        for (size_t at = 0; at + 4 <= end; at += 4)
            for (uint32_t value : values) {
                std::vector<uint8_t> bytes = original;
                Put32(bytes, at, value);
                BothFail(bytes, "image " + std::to_string(n) + " offset " + std::to_string(at) + " value " +
                                    std::to_string(value));
            }
    }
}

// An RVA that no section holds maps to nothing.
TEST(PeMalformed, RvaOutsideEverySection)
{
    PeLayout layout;
    std::vector<uint8_t> original = BuildPe32(Full32(), &layout);
    size_t dirs = layout.sections - 16 * 8;
    const std::wstring badExports = L"Error attempting to get export list.";
    const struct {
        size_t field;
        std::wstring exports, imports;
    } cases[] = {
        {dirs, badExports, L"OK."},
        {layout.exportDir + 32, badExports, L"OK."},
        {layout.namesArray, badExports, L"OK."},
        {dirs + 8, L"OK", L"No DLL dependencies found."},
        {layout.importDir + 12, L"OK", L"Error in attempt to find imported DLLs."},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = original;
        Put32(bytes, c.field, 0x9000);
        EXPECT_EQ(ExportsOf(bytes).message, c.exports) << c.field;
        EXPECT_EQ(ImportsOf(bytes).message, c.imports) << c.field;
    }
}

// The names array starts near the end of the file, with good name RVAs up to
// the end and a count far beyond it.
TEST(PeMalformed, NameCountPastTheFile)
{
    PeLayout layout;
    std::vector<uint8_t> bytes = OnePage(layout);
    uint32_t firstName = Get32(bytes, layout.namesArray);
    for (size_t at = 0x1000 - 64; at < 0x1000; at += 4)
        Put32(bytes, at, firstName);
    Put32(bytes, layout.exportDir + 24, 0x10000000);
    Put32(bytes, layout.exportDir + 32, layout.Rva(0x1000 - 64));
    EXPECT_EQ(ExportsOf(bytes).message, L"Error attempting to get export list.");
}

// Named descriptors fill the file up to its end, with no closing one.
TEST(PeMalformed, ImportDescriptorsRunOffTheEnd)
{
    PeLayout layout;
    std::vector<uint8_t> bytes = OnePage(layout);
    size_t last = 0x1000 - 20 * 8;
    for (size_t at = last; at < 0x1000; at += 20)
        std::copy(bytes.begin() + layout.importDir, bytes.begin() + layout.importDir + 20, bytes.begin() + at);
    Put32(bytes, layout.sections - 16 * 8 + 8, layout.Rva(last));
    Outcome i = ImportsOf(bytes);
    EXPECT_FALSE(i.ok);
    EXPECT_EQ(i.message, L"Error in attempt to find imported DLLs.");
    EXPECT_EQ(i.list, L"");
}

TEST(PeMalformed, NamesWithoutTerminatingZero)
{
    PeLayout layout;
    std::vector<uint8_t> bytes = OnePage(layout);
    std::fill(bytes.end() - 16, bytes.end(), 'A');
    uint32_t tail = layout.Rva(bytes.size() - 16);
    Put32(bytes, layout.namesArray + 4, tail);
    Put32(bytes, layout.importDir + 20 + 12, tail);
    Outcome e = ExportsOf(bytes);
    EXPECT_EQ(e.message, L"Error attempting to get export list.");
    EXPECT_EQ(e.list, L"before");
    EXPECT_EQ(ImportsOf(bytes).message, L"Error in attempt to find imported DLLs.");
}

} // namespace
} // namespace petest
