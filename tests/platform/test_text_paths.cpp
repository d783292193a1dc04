// Code pages, case folding, path forms and the module folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/Messages.h"
#include "platform/Module.h"
#include "platform/Paths.h"
#include "platform/Text.h"

using namespace platform;

TEST(Text, CodePagesRoundTrip)
{
    EXPECT_EQ(ToCodePage(L""), "");
    EXPECT_EQ(FromCodePage(std::string()), L"");
    EXPECT_EQ(FromCodePage("abc", 2), L"ab") << "only size bytes are read";
    const std::wstring accented = L"caf\u00e9";
    EXPECT_EQ(FromCodePage(ToCodePage(accented)), accented);

    const std::wstring wide = L"\u4e2d \U0001F600 \u00e9";
    const std::string utf8 = ToCodePage(wide, CP_UTF8);
    EXPECT_EQ(utf8, "\xe4\xb8\xad \xf0\x9f\x98\x80 \xc3\xa9");
    EXPECT_EQ(FromCodePage(utf8, CP_UTF8), wide);
}

TEST(Text, CaseFoldingKeepsLengthAndFoldsBeyondAscii)
{
    EXPECT_EQ(Upper(L"index.html"), L"INDEX.HTML");
    EXPECT_EQ(Lower(L"&Custom"), L"&custom");
    EXPECT_EQ(Upper(L"\u00e9t\u00e9"), L"\u00c9T\u00c9");
    EXPECT_EQ(Upper(L""), L"");
    const std::wstring mixed = L"a\U0001F600b";
    EXPECT_EQ(Upper(mixed).size(), mixed.size());
}

TEST(Text, LinesEndAtCrLfOrCrLf)
{
    const std::wstring text = L"ab\r\ncd\ref\ngh";
    struct Row {
        long pos, start, end;
    };
    const Row rows[] = {
        {0, 0, 2}, {2, 0, 2}, {3, 3, 2}, {4, 4, 6}, {7, 7, 9}, {10, 10, 12}, {12, 10, 12}, {99, 10, 12}, {-5, 0, 2},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(LineStart(text, r.pos), r.start) << r.pos;
        EXPECT_EQ(LineEnd(text, r.pos), r.end) << r.pos;
    }
    EXPECT_EQ(BreakLength(text, 2), 2);
    EXPECT_EQ(BreakLength(text, 6), 1);
    EXPECT_EQ(BreakLength(text, 9), 1);
    EXPECT_EQ(BreakLength(text, 0), 0);
    EXPECT_EQ(BreakLength(text, 12), 0);
    EXPECT_TRUE(IsWordChar(L'_') && IsWordChar(L'7') && IsWordChar(0xE9));
    EXPECT_FALSE(IsWordChar(L'.') || IsWordChar(L' ') || IsWordChar(L'('));
}

TEST(Paths, PartsSplitAtTheLastSeparator)
{
    EXPECT_EQ(GetFileName(L"C:\\a\\b.old.txt"), L"b.old.txt");
    EXPECT_EQ(GetExtension(L"C:\\a\\b.old.txt"), L"txt");
    EXPECT_EQ(GetParentFolder(L"C:\\a\\b.txt"), L"C:\\a");
    EXPECT_EQ(GetExtension(L"C:\\dir.old\\file"), L"old\\file") << "the last dot of the whole path";
    EXPECT_EQ(GetFileName(L"plain"), L"");
    EXPECT_EQ(GetParentFolder(L"plain"), L"");
    EXPECT_EQ(GetExtension(L"C:\\a\\noext"), L"");
    EXPECT_EQ(GetFileName(L"C:\\a\\"), L"");
}

TEST(Paths, ApiPathPrefixesOnlyLongPaths)
{
    const std::wstring longName(300, L'a');
    EXPECT_EQ(ApiPath(L"C:\\x\\y.txt"), L"C:\\x\\y.txt");
    EXPECT_EQ(ApiPath(L"C:\\" + longName), L"\\\\?\\C:\\" + longName);
    EXPECT_EQ(ApiPath(L"\\\\srv\\share\\" + longName), L"\\\\?\\UNC\\srv\\share\\" + longName);
    EXPECT_EQ(ApiPath(L"\\\\?\\C:\\z"), L"\\\\?\\C:\\z");
    const std::wstring rel = ApiPath(L"rel.txt");
    EXPECT_TRUE(rel.size() > 8 && rel[1] == L':') << "relative paths are made full";
}

TEST(Paths, LongPathExpandsShortNames)
{
    const std::wstring exe = ModulePath(nullptr);
    wchar_t shortBuf[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(exe.c_str(), shortBuf, MAX_PATH), 0u);
    EXPECT_TRUE(CompareStringOrdinal(GetLongPath(shortBuf).c_str(), -1, exe.c_str(), -1, TRUE) == CSTR_EQUAL);
    EXPECT_EQ(GetLongPath(exe + L".missing"), L"");
}

TEST(Module, ProgramFolderIsTheFolderOfThisModule)
{
    const std::wstring exe = ModulePath(nullptr);
    EXPECT_EQ(ThisModule(), GetModuleHandleW(nullptr));
    EXPECT_EQ(ProgramFolder(), exe.substr(0, exe.rfind(L'\\')));
    EXPECT_EQ(ModuleOfAddress(nullptr), nullptr);
}

TEST(Messages, AnInterceptorAnswersForTheUser)
{
    std::wstring seenText, seenTitle;
    UINT seenStyle = 0;
    SetMessageInterceptor([&](const std::wstring& text, const std::wstring& title, UINT style) {
        seenText = text;
        seenTitle = title;
        seenStyle = style;
        return IDNO;
    });
    EXPECT_EQ(ShowMessage(L"Save changes?", MessageStyle::YesNoCancel), IDNO);
    SetMessageInterceptor(nullptr);
    EXPECT_EQ(seenText, L"Save changes?");
    EXPECT_EQ(seenTitle, L"TARNEL Editor");
    EXPECT_EQ(seenStyle, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
}
