// The find-and-replace engine on a real editor control in a hidden form.
#include <gtest/gtest.h>

#include "EditorState.h"
#include "SettingsRecord.h"
#include "find/FindEngine.h"
#include "KvRTB/KvRTB.h"
#include "forms/Form.h"
#include "platform/Messages.h"

#include <string>
#include <vector>

using namespace modfind;

namespace {

class fFindTest : public forms::Form {
public:
    fFindTest()
    {
        SetCaption(L"Find test");
        SetClientSize(6000, 3000);
        JT1.Place(*this, 0, 0, 6000, 3000);
    }
    ~fFindTest() override { Teardown(); }
    KvRTB JT1;
};

class FindEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        ResetFinder();
        ASSERT_TRUE(form.Load());
        platform::SetMessageInterceptor([this](const std::wstring& text, const std::wstring&, UINT) {
            messages.push_back(text);
            return answer;
        });
    }
    void TearDown() override { platform::SetMessageInterceptor(nullptr); }

    KvRTB& ed() { return form.JT1; }
    FindField Field(const std::wstring& find, const std::wstring& replacement = L"")
    {
        FindField f;
        f.find = find;
        f.replacement = replacement;
        return f;
    }
    std::vector<long> HitsToMiss(const FindField& f, long flags)
    {
        std::vector<long> hits;
        SearchResult r = FindFromTop(ed(), f, flags);
        while (r.outcome == Outcome::Hit) {
            hits.push_back(r.hit);
            r = FindNext(ed(), f, flags, false);
        }
        return hits;
    }

    fFindTest form;
    std::vector<std::wstring> messages;
    int answer = IDYES;
};

} // namespace

TEST_F(FindEngineTest, ForwardSearchesByFlagsThenMissAndStayStopped)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* find;
        long flags;
        std::vector<long> hits;
    } cases[] = {
        {L"cat Cat catalog cat", L"cat", SearchFlags(false, false), {0, 4, 8, 16}},
        {L"cat Cat catalog cat", L"cat", SearchFlags(false, true), {0, 8, 16}},
        {L"cat Cat catalog cat", L"cat", SearchFlags(true, false), {0, 4, 16}},
        {L"cat Cat catalog cat", L"CAT", SearchFlags(true, true), {}},
    };
    for (const Case& c : cases) {
        ResetFinder();
        ed().SetText(c.text);
        EXPECT_EQ(HitsToMiss(Field(c.find), c.flags), c.hits) << c.find << " flags " << c.flags;
        EXPECT_EQ(Finder().Field, FieldState::ForwardMiss);
        EXPECT_EQ(Finder().NextFindStart, 0);
    }
    EXPECT_EQ(FieldColour(FieldState::ForwardMiss), 0x95A6BDu);

    // A second search after the miss does nothing; editing the field lets
    // the search run from the top again.
    ed().SetSelStart(2);
    EXPECT_EQ(FindNext(ed(), Field(L"cat"), 1, false).outcome, Outcome::NotRun);
    EXPECT_EQ(FindFromTop(ed(), Field(L"cat"), 1).outcome, Outcome::NotRun);
    EXPECT_EQ(ed().SelStart(), 2);
    FieldEdited();
    SearchResult r = FindFromTop(ed(), Field(L"cat"), 1);
    EXPECT_EQ(r.hit, 0);
    EXPECT_EQ(ed().SelLength(), 3);
    EXPECT_EQ(Finder().NextFindStart, 1);
}

TEST_F(FindEngineTest, FindNextFromCaretAndEmptyInputsDoNothing)
{
    ed().SetText(L"one two one two");
    ed().SetSelStart(5);
    EXPECT_EQ(FindNext(ed(), Field(L"two"), 1, true).hit, 12);

    EXPECT_EQ(FindFromTop(ed(), Field(L""), 1).outcome, Outcome::NotRun);
    EXPECT_EQ(Finder().Field, FieldState::Ready);
    ed().SetText(L"");
    EXPECT_EQ(FindFromTop(ed(), Field(L"x"), 1).outcome, Outcome::NotRun);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FindEngineTest, AscModeTakesACharacterCodeOrRefusesIt)
{
    ed().SetText(L"aAa");
    FindField f = Field(L"65");
    f.asc = true;
    SearchResult r = FindFromTop(ed(), f, SearchFlags(false, true));
    EXPECT_EQ(r.hit, 1);
    EXPECT_EQ(r.length, 1);
    for (const wchar_t* bad : {L"0", L"256", L"x", L"6 5"}) {
        ResetFinder();
        messages.clear();
        f.find = bad;
        EXPECT_EQ(FindFromTop(ed(), f, 1).outcome, Outcome::NotRun) << bad;
        ASSERT_EQ(messages.size(), 1u) << bad;
        EXPECT_NE(messages[0].find(L"\"Asc\" checkbox"), std::wstring::npos);
    }
}

TEST_F(FindEngineTest, FindPreviousPassesOverTheOccurrenceAtTheCaret)
{
    ed().SetText(L"ab ab ab");
    // Caret at 0 or 1: nothing at all, not even a miss.
    for (long caret : {0L, 1L}) {
        ed().SetSelStart(caret);
        EXPECT_EQ(FindPrevious(ed(), Field(L"ab"), 1).outcome, Outcome::NotRun);
        EXPECT_EQ(Finder().Field, FieldState::Ready);
    }
    HitsToMiss(Field(L"ab"), 1);
    FieldEdited();
    FindFromTop(ed(), Field(L"ab"), 1);
    FindNext(ed(), Field(L"ab"), 1, false);   // at 3; the next find-next starts at 4
    ed().SetSelStart(8);
    SearchResult r = FindPrevious(ed(), Field(L"ab"), 1);
    EXPECT_EQ(r.hit, 3) << "the occurrence ending at the caret is passed over";
    EXPECT_EQ(Finder().NextFindStart, 4);
    EXPECT_EQ(FindNext(ed(), Field(L"ab"), 1, false).hit, 6);

    ed().SetSelStart(4);
    EXPECT_EQ(FindPrevious(ed(), Field(L"zz"), 1).outcome, Outcome::Miss);
    EXPECT_EQ(FieldColour(Finder().Field), 0x8FA2BAu);
    EXPECT_EQ(FindPrevious(ed(), Field(L"ab"), 1).outcome, Outcome::NotRun);
    // A forward search ends the backward miss.
    EXPECT_EQ(FindNext(ed(), Field(L"ab"), 1, true).hit, 6);
    EXPECT_EQ(Finder().Field, FieldState::Ready);
}

TEST_F(FindEngineTest, ReplaceOneReplacesTheSelectionUndoably)
{
    ed().SetText(L"red green blue");
    EXPECT_FALSE(ReplaceOne(ed(), Field(L"green", L"x")));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"There is nothing found yet to replace.");

    ed().SetSelRange(4, 5);
    answer = IDNO;
    EXPECT_FALSE(ReplaceOne(ed(), Field(L"green")));
    EXPECT_EQ(messages.back(), L"No text entered. Delete \"green\"?");
    EXPECT_EQ(ed().Text(), L"red green blue");

    ed().SetSelRange(4, 5);
    EXPECT_TRUE(ReplaceOne(ed(), Field(L"green", L"olive")));
    EXPECT_EQ(ed().Text(), L"red olive blue");
    EXPECT_EQ(ed().SelLength(), 0);
    EXPECT_TRUE(State().DocChanged);
    EXPECT_FALSE(State().LineEdited);
    ASSERT_TRUE(ed().CanUndo());
    ed().Undo();
    EXPECT_EQ(ed().Text(), L"red green blue");
}

TEST_F(FindEngineTest, ReplaceAllCountsAndGoesOnAfterEachReplacement)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* find;
        const wchar_t* with;
        const wchar_t* result;
        const wchar_t* message;
    } cases[] = {
        {L"aaa", L"a", L"aa", L"aaaaaa", L"3 replacements made."},
        {L"aaa", L"a", L"", L"", L"3 replacements made."},
        {L"Tom tom TOM", L"tom", L"Ann", L"Ann Ann Ann", L"3 replacements made."},
        {L"abc", L"x", L"y", L"abc", L"0 replacements made."},
        {L"abc", L"", L"", L"abc", L"You've entered the same text to replace the original."},
    };
    for (const Case& c : cases) {
        messages.clear();
        State().DocChanged = false;
        ed().SetText(c.text);
        ReplaceAll(ed(), Field(c.find, c.with), 1, false);
        EXPECT_EQ(ed().Text(), c.result) << c.find << " -> " << c.with;
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back(), c.message);
        EXPECT_EQ(State().DocChanged, std::wstring(c.text) != c.result);
        EXPECT_EQ(Finder().NextFindStart, 0);
    }
    // The replacements stay undoable.
    ed().SetText(L"x1 x2");
    ReplaceAll(ed(), Field(L"x", L"yy"), 1, false);
    ASSERT_TRUE(ed().CanUndo());
    while (ed().CanUndo() && ed().Text() != L"x1 x2")
        ed().Undo();
    EXPECT_EQ(ed().Text(), L"x1 x2");

    // An empty replacement answered No changes nothing.
    answer = IDNO;
    ReplaceAll(ed(), Field(L"x"), 1, false);
    EXPECT_EQ(ed().Text(), L"x1 x2");
}

// Replace all finds what the RichEdit's own search finds, hit after hit,
// with or without case and whole words, and with letters whose other case
// is an ASCII letter.
TEST_F(FindEngineTest, ReplaceAllFindsWhatTheEditorsSearchFinds)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* find;
        long flags;
    } cases[] = {
        {L"Needle nEEDLE needles aneedle", L"needle", 1},
        {L"Needle nEEDLE needles aneedle", L"needle", 5},
        {L"Needle nEEDLE needles aneedle", L"needle", 3},
        {L"aaaa aAa", L"aa", 1},
        {L"\u00e9t\u00e9 \u00c9T\u00c9", L"\u00e9", 1},
        {L"Stop \u017ftop \u0131t It \u0130t \u212aey key", L"s", 1},
        {L"Stop \u017ftop \u0131t It \u0130t \u212aey key", L"it", 1},
        {L"Stop \u017ftop \u0131t It \u0130t \u212aey key", L"k", 1},
    };
    for (const Case& c : cases) {
        ed().SetText(c.text);
        std::wstring expected = c.text;
        std::vector<long> hits;
        for (long at = 0, hit; (hit = ed().Find(c.find, at, -1, c.flags)) >= at; at = hit + static_cast<long>(wcslen(c.find)))
            hits.push_back(hit);
        for (auto h = hits.rbegin(); h != hits.rend(); ++h)
            expected.replace(static_cast<size_t>(*h), wcslen(c.find), L"#");
        EXPECT_EQ(ReplaceAll(ed(), Field(c.find, L"#"), c.flags, false), static_cast<long>(hits.size())) << c.text;
        EXPECT_EQ(ed().Text(), expected) << c.text << " / " << c.find << " / " << c.flags;
    }
}

TEST_F(FindEngineTest, ReplaceAllInsideASelectionStaysInsideIt)
{
    struct Case {
        const wchar_t* text;
        long start, length;
        const wchar_t* find;
        const wchar_t* with;
        const wchar_t* result;
        const wchar_t* selected;
    } cases[] = {
        // Growing: the hits after the selection stay as they were.
        {L"a [a a a] a", 3, 5, L"a", L"bbb", L"a [bbb bbb bbb] a", L"bbb bbb bbb"},
        // Shrinking: every hit inside is replaced, none outside.
        {L"aa [aa aa aa] aa", 4, 8, L"aa", L"b", L"aa [b b b] aa", L"b b b"},
    };
    for (const Case& c : cases) {
        ed().SetText(c.text);
        ed().SetSelRange(c.start, c.length);
        FindField f = Field(c.find, c.with);
        f.inSelection = true;
        EXPECT_EQ(ReplaceAll(ed(), f, 1, false), 3);
        EXPECT_EQ(ed().Text(), c.result);
        EXPECT_EQ(ed().SelText(), c.selected);
    }
    // An empty selection: nothing at all.
    messages.clear();
    ed().SetSelStart(1);
    FindField f = Field(L"a", L"b");
    f.inSelection = true;
    EXPECT_EQ(ReplaceAll(ed(), f, 1, false), -1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(FindEngineTest, GoToProcedureFindsDeclarationsFromTheFirstCharacter)
{
    std::wstring text = L"Sub First(a)\rEnd Sub\r";
    for (int i = 0; i < 80; ++i)
        text += L"x = " + std::to_wstring(i) + L"\r";
    text += L"Function Later(b)\rEnd Function\r";
    for (int i = 0; i < 80; ++i)
        text += L"y = " + std::to_wstring(i) + L"\r";
    ed().SetText(text);
    ed().SetSelStart(40);
    ASSERT_TRUE(GoToProcedure(ed(), L"First"));
    EXPECT_EQ(ed().SelStart(), 0);

    ASSERT_TRUE(GoToProcedure(ed(), L"later"));
    EXPECT_EQ(ed().GetLineFromChar(ed().SelStart()), 82);
    EXPECT_EQ(ed().SelStart(), ed().GetLineIndex(82));
    EXPECT_EQ(ed().SelLength(), 0);

    long caret = ed().SelStart();
    EXPECT_FALSE(GoToProcedure(ed(), L"Missing"));
    EXPECT_FALSE(GoToProcedure(ed(), L""));
    EXPECT_EQ(ed().SelStart(), caret);
}
