// The settings dialog's record edits and validations, without a window.
#include <gtest/gtest.h>

#include <windows.h>

#include "FSets/SetsLogic.h"
#include "ModReg.h"
#include "ModSets2.h"
#include "SettingsRecord.h"
#include "WindowTest.h"

using namespace SetsLogic;

namespace {

SettingsRecord Defaults()
{
    SettingsRecord rec;
    SettingsRecordFile::SetSettingsDefaults(rec);
    return rec;
}

std::wstring WriteIni(const std::wstring& name, const char* text)
{
    std::wstring path = wt::ScratchFolder(L"plimsor_logic") + L"\\" + name;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, text, static_cast<DWORD>(strlen(text)), &n, nullptr);
    CloseHandle(f);
    return path;
}

} // namespace

TEST(SetsLogicGeneral, NumbersAndSpacer)
{
    EXPECT_TRUE(IsNumeric(L" 12 "));
    EXPECT_TRUE(IsNumeric(L"-3.5"));
    EXPECT_TRUE(IsNumeric(L"1e3"));
    EXPECT_FALSE(IsNumeric(L""));
    EXPECT_FALSE(IsNumeric(L"12a"));
    EXPECT_FALSE(IsNumeric(L"."));
    EXPECT_FALSE(IsNumeric(L"1e"));

    SettingsRecord rec = Defaults();
    EXPECT_TRUE(ApplyMoveSpacer(L"3", rec));
    EXPECT_EQ(rec.MoveSpacer, L"   ");
    EXPECT_FALSE(ApplyMoveSpacer(L"0", rec));
    EXPECT_FALSE(ApplyMoveSpacer(L"11", rec));
    EXPECT_FALSE(ApplyMoveSpacer(L"x", rec));
    EXPECT_EQ(rec.MoveSpacer, L"   ") << "refused values leave the spacer";

    EXPECT_TRUE(ApplyFontSize(L"11", rec));
    EXPECT_EQ(rec.EdFontSize, 11);
    EXPECT_FALSE(ApplyFontSize(L"big", rec));
    EXPECT_FALSE(ApplyFontSize(L"40000", rec)) << "does not fit 16 bits";
    EXPECT_EQ(rec.EdFontSize, 11);

    EXPECT_FALSE(ApplyUndoLimit(L"lots", rec));
    EXPECT_EQ(rec.UndoLimit, 20);
    EXPECT_TRUE(ApplyUndoLimit(L"150", rec));
    EXPECT_EQ(rec.UndoLimit, 150);

    EXPECT_EQ(TempFolderText(L"C:\\temp\\"), L"C:\\temp");
    EXPECT_EQ(TempFolderText(L"C:\\temp"), L"C:\\temp");
    EXPECT_TRUE(IsProgramOrHelpFile(L"C:\\x\\tool.ExE"));
    EXPECT_TRUE(IsProgramOrHelpFile(L"help.chm"));
    EXPECT_FALSE(IsProgramOrHelpFile(L"C:\\x\\notes.txt"));
    EXPECT_FALSE(IsProgramOrHelpFile(L"C:\\my.exe\\file"));

    EXPECT_EQ(ModSets2::GetExtension(L"C:\\a.b\\file"), L"b\\file");
    EXPECT_EQ(ModSets2::GetExtension(L"C:\\a\\file"), L"");
}

TEST(SetsLogicGeneral, RecordChoicesOutOfRangeAreNotIndexed)
{
    SettingsRecord rec = Defaults();
    rec.DefSaveExt = 12;
    EXPECT_EQ(DefSaveExtIndex(rec), -1);
    rec.DefSaveExt = 11;
    EXPECT_EQ(DefSaveExtIndex(rec), 10);
    rec.AutoBars = 7;
    EXPECT_EQ(NormaliseAutoBars(rec), 0);
    EXPECT_EQ(rec.AutoBars, 0);
    rec.AutoBars = 2;
    EXPECT_EQ(NormaliseAutoBars(rec), 2);

    EXPECT_EQ(&ExePath(rec, 0), &rec.ExePath1);
    EXPECT_EQ(&ExeName(rec, 1), &rec.ExeName2);
    EXPECT_EQ(&ExePath(rec, -1), &rec.ExePath3) << "no option set: entry 3";
    EXPECT_EQ(&ColorField(rec, 3), &rec.ColorDebug);
    EXPECT_EQ(&ColorField(rec, 6), &rec.ColorAttrValue);
    EXPECT_EQ(PickStartColor(0xFFFFFF), 0);
    EXPECT_EQ(PickStartColor(0x123456), 0x123456);
    EXPECT_FALSE(ApplyCommentMark(L"--", rec));
    EXPECT_FALSE(ApplyCommentMark(L"", rec));
    EXPECT_TRUE(ApplyCommentMark(L"'##", rec));
    EXPECT_EQ(rec.CommentMark, L"'##");
}

TEST(SetsLogicHotKeys, LettersOnlyAndAnyArrayLength)
{
    std::wstring shown;
    EXPECT_EQ(HotKeyFromText(L"a", shown), 65);
    EXPECT_EQ(shown, L"A");
    EXPECT_EQ(HotKeyFromText(L"1", shown), 0);
    EXPECT_EQ(shown, L"");
    EXPECT_EQ(HotKeyFromText(L"ab", shown), 0);
    EXPECT_EQ(HotKeyFromText(L"", shown), 0);
    EXPECT_EQ(HotKeyText(1), L"");
    EXPECT_EQ(HotKeyText(0x5A), L"Z");

    SettingsRecord rec;
    rec.HotKeys.assign(3, 1);  // a damaged record: three entries only
    std::vector<std::wstring> boxes(kHotKeyCount);
    boxes[0] = L"x";
    boxes[22] = L"q";
    boxes[5] = L"7";
    ApplyHotKeys(boxes, rec);
    ASSERT_EQ(rec.HotKeys.size(), static_cast<size_t>(kHotKeyCount));
    EXPECT_EQ(rec.HotKeys[0], 'X');
    EXPECT_EQ(rec.HotKeys[1], 0) << "an unchanged empty box stores 0";
    EXPECT_EQ(rec.HotKeys[5], 0);
    EXPECT_EQ(rec.HotKeys[22], 'Q');
    EXPECT_EQ(boxes[0], L"X");
    EXPECT_EQ(boxes[5], L"");
    EXPECT_EQ(HotKeyActions().size(), static_cast<size_t>(kHotKeyCount));
    EXPECT_EQ(HotKeyActions()[11], L"Open Auto-insert Setup");
}

TEST(SetsLogicPopups, ItemsNameAndKey)
{
    SettingsRecord rec = Defaults();
    PopupMenu m2 = Popup(rec, 1);
    EXPECT_EQ(m2.Items, &rec.Menu2Items);
    EXPECT_EQ(Popup(rec, 5).Name, &rec.Menu2Name) << "neither option set: menu 2";

    rec.Menu1Key = 'K';
    PopupMenu m1 = Popup(rec, 0);
    ApplyPopupSettings(true, L"", L"Snips", m1);
    EXPECT_EQ(rec.Menu1Key, 'K') << "an empty hotkey box keeps the key";
    EXPECT_TRUE(rec.Menu1On);
    EXPECT_EQ(rec.Menu1Name, L"Snips");
    ApplyPopupSettings(false, L"j", L"", m1);
    EXPECT_EQ(rec.Menu1Key, 'J');
    EXPECT_FALSE(rec.Menu1On);
    ApplyPopupSettings(false, L"jk", L"", m1);
    EXPECT_EQ(rec.Menu1Key, 'J');

    std::vector<std::wstring> boxes(kPopupItems);
    boxes[0] = L"<b></b>";
    boxes[9] = L"last";
    SavePopupItems(boxes, m1);
    ASSERT_EQ(rec.Menu1Items.size(), 10u);
    EXPECT_EQ(rec.Menu1Items[0], L"<b></b>");
    EXPECT_EQ(rec.Menu1Items[1], L"") << "empty boxes give empty items";

    rec.Menu2Items.assign(2, L"-");  // damaged: two items
    rec.Menu2Items[1] = L"ok";
    std::vector<std::wstring> shown = PopupBoxes(Popup(rec, 1));
    ASSERT_EQ(shown.size(), 10u);
    EXPECT_EQ(shown[0], L"") << "\"-\" shows as empty";
    EXPECT_EQ(shown[1], L"ok");
    EXPECT_EQ(shown[9], L"");

    rec.Menu1Name = L"x";
    rec.Menu2Name = L"Mine";
    DefaultPopupNames(rec);
    EXPECT_EQ(rec.Menu1Name, L"Custom Menu 1");
    EXPECT_EQ(rec.Menu2Name, L"Mine");
}

TEST(SetsLogicExtensions, AddChangeRemove)
{
    SettingsRecord rec;  // not even element 0
    EXPECT_EQ(AddExtension(L".xyz", 2, rec), L"XYZ");
    ASSERT_EQ(rec.ExtAliases.size(), 2u);
    EXPECT_EQ(rec.ExtAliases[1].Ext, L"XYZ");
    EXPECT_EQ(rec.ExtAliases[1].EdType, 2);
    AddExtension(L"abc", 0, rec);
    AddExtension(L"XYZ", 4, rec);
    EXPECT_EQ(ExtensionList(rec), (std::vector<std::wstring>{L"XYZ", L"ABC", L"XYZ"}));
    EXPECT_EQ(ExtensionType(rec, L"XYZ"), 2);
    EXPECT_EQ(ExtensionType(rec, L"QQQ"), -1);

    EXPECT_TRUE(ChangeExtType(L"abc", 5, rec));
    EXPECT_EQ(rec.ExtAliases[2].EdType, 5);
    EXPECT_FALSE(ChangeExtType(L"none", 5, rec));
    EXPECT_FALSE(ChangeExtType(L"", 5, rec));

    // Both copies go; the table is one shorter, with an empty element last.
    EXPECT_TRUE(RemoveExtension(L"xyz", rec));
    ASSERT_EQ(rec.ExtAliases.size(), 3u);
    EXPECT_EQ(rec.ExtAliases[1].Ext, L"ABC");
    EXPECT_EQ(rec.ExtAliases[2].Ext, L"");
    EXPECT_EQ(ExtensionList(rec), std::vector<std::wstring>{L"ABC"});

    EXPECT_FALSE(RemoveExtension(L"", rec));
    SettingsRecord one;
    AddExtension(L"q", 1, one);
    EXPECT_TRUE(RemoveExtension(L"Q", one));
    EXPECT_EQ(one.ExtAliases.size(), 1u);
    EXPECT_EQ(ExtTypeNames().size(), 6u);
}

TEST(SetsLogicObjects, ObjectListFromIni)
{
    EXPECT_EQ(ObjectListText(wt::ScratchFolder(L"plimsor_logic") + L"\\absent.ini"), L"tarnelo.ini file missing");
    EXPECT_EQ(ObjectListText(WriteIni(L"empty.ini", "; nothing\r\n")), L"No listings in tarnelo.ini file");
    EXPECT_EQ(ObjectListText(WriteIni(L"bare.ini", "[WScript.Shell]\r\n")), L"No listings in tarnelo.ini file");
    const std::wstring sep = L"________________________";
    EXPECT_EQ(ObjectListText(WriteIni(L"two.ini",
                                      "[Scripting.FileSystemObject]\r\nOpenTextFile=1\r\nDrives=0\r\n"
                                      "CopyFile=1\r\n[Empty]\r\n[WScript.Shell]\r\nRun=1\r\n")),
              L"\r\n" + sep + L"\r\nScripting.FileSystemObject\r\n" + sep + L"\r\nOpenTextFile\r\nCopyFile\r\n" +
                  L"\r\n" + sep + L"\r\nWScript.Shell\r\n" + sep + L"\r\nRun\r\n");

    std::vector<std::wstring> keys, values;
    std::wstring ini = WriteIni(L"lines.ini", "[s]\r\na=1\r\nnoequals\r\nb=2\r\ntail\r\nmore\r\n");
    EXPECT_EQ(ModReg::ReadIniSection(L"s", ini, keys, values), 3) << "up to the last line with \"=\"";
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[1], L"");
    EXPECT_EQ(keys[2], L"b");
    EXPECT_EQ(values[2], L"2");
}
