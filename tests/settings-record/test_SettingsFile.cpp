#include <gtest/gtest.h>

#include <windows.h>

#include "RecordBytes.h"
#include "ScratchDir.h"
#include "SettingsRecord.h"
#include "platform/Messages.h"
#include "platform/Module.h"

using namespace SettingsRecordFile;

namespace {

struct Shown {
    std::wstring text, title;
    UINT style = 0;
};

// Captures the messages for the lifetime of one test.
class CapturedMessages {
public:
    CapturedMessages()
    {
        platform::SetMessageInterceptor([this](const std::wstring& text, const std::wstring& title, UINT style) {
            shown.push_back({text, title, style});
            return IDOK;
        });
    }
    ~CapturedMessages() { platform::SetMessageInterceptor(nullptr); }
    std::vector<Shown> shown;
};

std::wstring ReadFailedText(const std::wstring& file)
{
    return L"Unable to access program settings file:\r\n" + file +
           L"\r\nThere may be a problem with file permissions, or the file plimsors.dat may be corrupt. If you "
           L"believe that you have permission to access the file, try deleting it. TARNEL will then create a new "
           L"settings file.";
}

int FilesIn(const std::wstring& folder)
{
    int n = 0;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return n;
}

using WriteFileProc = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
WriteFileProc g_realWriteFile = nullptr;

BOOL WINAPI WriteHalfThenDiskFull(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED over)
{
    DWORD done = 0;
    g_realWriteFile(file, data, size / 2, &done, over);
    if (written)
        *written = done;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

// While it lives, every WriteFile of this program writes half of its bytes
// and then fails as a volume that fills up during the write: the program's
// import slots for WriteFile point to the failing copy.
class DiskFillsUp {
public:
    DiskFillsUp()
    {
        g_realWriteFile = reinterpret_cast<WriteFileProc>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "WriteFile")));
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
        for (; dir.VirtualAddress && imp->Name; ++imp) {
            for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk); slot->u1.Function; ++slot) {
                if (slot->u1.Function == reinterpret_cast<ULONG_PTR>(g_realWriteFile))
                    slots_.push_back(&slot->u1.Function);
            }
        }
        Set(reinterpret_cast<ULONG_PTR>(&WriteHalfThenDiskFull));
    }
    ~DiskFillsUp() { Set(reinterpret_cast<ULONG_PTR>(g_realWriteFile)); }
    bool Active() const { return !slots_.empty(); }

private:
    void Set(ULONG_PTR to)
    {
        for (auto* slot : slots_) {
            DWORD was = 0;
            VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was);
            *slot = to;
            VirtualProtect(slot, sizeof *slot, was, &was);
        }
    }
    std::vector<decltype(IMAGE_THUNK_DATA::u1.Function)*> slots_;
};

} // namespace

TEST(SettingsFile, PathsComeFromTheModuleFolder)
{
    wchar_t exe[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring exePath(exe, n);
    EXPECT_EQ(platform::ProgramFolder(), exePath.substr(0, exePath.rfind(L'\\')));
    EXPECT_EQ(SettingsFolder(), platform::ProgramFolder() + L"\\Settings");
    EXPECT_EQ(SettingsFolderOf(L"C:\\prog\\"), L"C:\\prog\\Settings");
    EXPECT_EQ(SettingsFolderOf(L"C:\\prog"), L"C:\\prog\\Settings");
    EXPECT_EQ(SettingsFilePath(L"C:\\prog\\Settings"), L"C:\\prog\\Settings\\plimsors.dat");
    EXPECT_EQ(&Settings(), &Settings());
}

TEST(SettingsFile, MissingFolderIsCreatedAndTheRecordTakesTheDefaults)
{
    ScratchDir dir(L"rec-nofolder");
    CapturedMessages messages;
    std::wstring folder = dir / L"Settings";
    SettingsRecord rec;
    EXPECT_TRUE(ReadSettingsFile(folder, rec));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(FilesIn(folder), 0) << "nothing is written on reading";
    EXPECT_EQ(BuildRecordBytes(rec).bytes, BuildRecordBytes(DefaultRecord()).bytes);

    EXPECT_TRUE(WriteSettingsFile(folder, rec));
    EXPECT_EQ(ReadBytes(SettingsFilePath(folder)), BuildRecordBytes(DefaultRecord()).bytes);
    EXPECT_EQ(FilesIn(folder), 1) << "no temporary file left";
}

TEST(SettingsFile, ShorterRecordReplacesLongerFileWhole)
{
    ScratchDir dir(L"rec-shorter");
    CapturedMessages messages;
    std::wstring file = SettingsFilePath(dir.Path());
    SettingsRecord longer = FullRecord();
    longer.ExePath3 = std::wstring(3000, L'p');
    ASSERT_TRUE(WriteSettingsFile(dir.Path(), longer));
    SettingsRecord shorter = DefaultRecord();
    shorter.ColorTag = 0x123456;
    ASSERT_TRUE(WriteSettingsFile(dir.Path(), shorter));
    EXPECT_EQ(ReadBytes(file), BuildRecordBytes(shorter).bytes) << "no tail of the old file";

    // A file left by a writer that did not truncate: the stale tail is ignored.
    ASSERT_TRUE(WriteBytes(file, BuildRecordBytes(shorter).bytes + std::string(500, '\x7F')));
    SettingsRecord back;
    EXPECT_EQ(ReadRecord(file, back), ReadResult::Read);
    EXPECT_EQ(BuildRecordBytes(back).bytes, BuildRecordBytes(shorter).bytes);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SettingsFile, LibraryCarriesUTF8TextThroughAndMendsWinState)
{
    ScratchDir dir(L"rec-utf8");
    CapturedMessages messages;
    std::wstring file = SettingsFilePath(dir.Path());
    SettingsRecord program = FullRecord();
    program.UTF8Text = true;
    program.WinState = 1;
    ASSERT_TRUE(WriteBytes(file, BuildRecordBytes(program).bytes));

    SettingsRecord library;
    ASSERT_TRUE(ReadSettingsFile(dir.Path(), library));
    EXPECT_TRUE(library.UTF8Text);
    EXPECT_EQ(library.WinState, 2);
    ASSERT_TRUE(WriteSettingsFile(dir.Path(), library));
    std::string bytes = ReadBytes(file);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xFF");

    program.WinState = 0;
    ASSERT_TRUE(WriteBytes(file, BuildRecordBytes(program).bytes));
    ASSERT_TRUE(ReadSettingsFile(dir.Path(), library));
    EXPECT_EQ(library.WinState, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SettingsFile, ADamagedRecordIsKeptBesideAndReplacedByWhatCouldBeRead)
{
    ScratchDir dir(L"rec-damaged");
    CapturedMessages messages;
    const std::wstring file = SettingsFilePath(dir.Path());
    const RecordBytes rb = BuildRecordBytes(FullRecord());
    std::string damaged = rb.bytes;
    damaged[rb.fieldEnds[15]] = '\x12';   // the colour coding flag
    ASSERT_TRUE(WriteBytes(file, damaged));

    SettingsRecord rec;
    EXPECT_TRUE(ReadSettingsFile(dir.Path(), rec));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, L"The program settings file\r\n" + file + L"\r\nwas damaged. A copy of it was kept as\r\n" +
                                          file + L".damaged\r\n\r\nThese settings could not be read and were reset: colour coding.");
    EXPECT_EQ(ReadBytes(file + L".damaged"), damaged);
    SettingsRecord want = FullRecord();
    want.NoColorCode = false;
    SettingsRecord wantWithDefaults = want;
    SetSettingsDefaults(wantWithDefaults);
    EXPECT_EQ(BuildRecordBytes(rec).bytes, BuildRecordBytes(wantWithDefaults).bytes);
    SettingsRecord onDisk;
    EXPECT_EQ(ReadRecord(file, onDisk), ReadResult::Read) << "the file holds what could be read";
    EXPECT_EQ(BuildRecordBytes(onDisk).bytes, BuildRecordBytes(want).bytes);
    EXPECT_TRUE(ReadSettingsFile(dir.Path(), rec));
    EXPECT_EQ(messages.shown.size(), 1u) << "said once";

    // Cut short: a second copy beside the first, and the fields past the cut named.
    ASSERT_TRUE(WriteBytes(file, rb.bytes.substr(0, rb.fieldEnds[46] + 1)));
    EXPECT_TRUE(ReadSettingsFile(dir.Path(), rec));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].text.find(file + L".damaged2\r\n"), std::wstring::npos);
    EXPECT_NE(messages.shown[1].text.find(L"reset: EXE+ item 3 path, EXE+ item 3 name, UTF-8 option."), std::wstring::npos);
    EXPECT_EQ(rec.ExeName2, FullRecord().ExeName2);

    // No copy can be made: the damaged file is never written over.
    ScratchDir other(L"rec-nocopy");
    const std::wstring kept = SettingsFilePath(other.Path());
    ASSERT_TRUE(WriteBytes(kept, damaged));
    for (int n = 1; n < 100; ++n)
        CreateDirectoryW((kept + L".damaged" + (n > 1 ? std::to_wstring(n) : L"")).c_str(), nullptr);
    EXPECT_TRUE(ReadSettingsFile(other.Path(), rec));
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_NE(messages.shown[2].text.find(L"No copy of it could be made, so it will not be written over."),
              std::wstring::npos);
    EXPECT_FALSE(WriteSettingsFile(other.Path(), rec));
    EXPECT_EQ(ReadBytes(kept), damaged);
}

TEST(SettingsFile, ARecordWithALongTailReadsWhole)
{
    // A whole record and 70 MB of zeros behind it: the record is read and
    // nothing is said.
    ScratchDir dir(L"rec-tail");
    CapturedMessages messages;
    const std::wstring file = SettingsFilePath(dir.Path());
    ASSERT_TRUE(WriteBytes(file, BuildRecordBytes(FullRecord()).bytes));
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 70LL * 1024 * 1024;
    ASSERT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h));
    CloseHandle(h);
    SettingsRecord rec;
    EXPECT_TRUE(ReadSettingsFile(dir.Path(), rec));
    EXPECT_TRUE(messages.shown.empty());
    SettingsRecord want = FullRecord();
    SetSettingsDefaults(want);
    EXPECT_EQ(BuildRecordBytes(rec).bytes, BuildRecordBytes(want).bytes);
}

TEST(SettingsFile, FailedWriteKeepsTheOldFileAndSaysSo)
{
    ScratchDir dir(L"rec-failwrite");
    CapturedMessages messages;
    std::wstring file = SettingsFilePath(dir.Path());
    ASSERT_TRUE(WriteSettingsFile(dir.Path(), FullRecord()));
    std::string old = ReadBytes(file);

    HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    bool wrote = WriteSettingsFile(dir.Path(), DefaultRecord());
    CloseHandle(lock);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(FilesIn(dir.Path()), 1) << "no temporary file left";
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, L"Unable to save program settings to file:\r\n" + file +
                                          L"\r\n. There may be a problem with file permissions.");
    EXPECT_EQ(messages.shown[0].title, L"TARNEL Editor Settings");
    EXPECT_EQ(messages.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST(SettingsFile, WriteThatFailsHalfwayLeavesTheOldFileWhole)
{
    ScratchDir dir(L"rec-halfway");
    CapturedMessages messages;
    std::wstring file = SettingsFilePath(dir.Path());
    ASSERT_TRUE(WriteSettingsFile(dir.Path(), FullRecord()));
    std::string old = ReadBytes(file);

    bool wrote = true;
    {
        DiskFillsUp full;
        ASSERT_TRUE(full.Active());
        wrote = WriteSettingsFile(dir.Path(), DefaultRecord());
    }
    EXPECT_FALSE(wrote);
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(FilesIn(dir.Path()), 1) << "no temporary file left";
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(SettingsFile, FailedReadSaysSoAndFillsTheDefaults)
{
    ScratchDir dir(L"rec-failread");
    CapturedMessages messages;
    std::wstring file = SettingsFilePath(dir.Path());
    ASSERT_TRUE(WriteBytes(file, BuildRecordBytes(FullRecord()).bytes));
    const std::string good = ReadBytes(file);
    SettingsRecord held;
    held.ColorTag = 5;

    // A locked file: what the record held stays, the rest takes the defaults,
    // and saving cannot replace the good file behind the lock.
    HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    bool read = ReadSettingsFile(dir.Path(), held);
    bool wrote = WriteSettingsFile(dir.Path(), held);
    CloseHandle(lock);
    EXPECT_FALSE(read);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(ReadBytes(file), good);
    EXPECT_EQ(held.ColorTag, 5);
    SettingsRecord expected = DefaultRecord();
    expected.ColorTag = 5;
    EXPECT_EQ(BuildRecordBytes(held).bytes, BuildRecordBytes(expected).bytes);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, ReadFailedText(file));
    EXPECT_EQ(messages.shown[0].title, L"TARNEL Editor Settings");
    EXPECT_EQ(messages.shown[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

    // A folder of the file's name: a fresh record is the defaults, and
    // saving writes them, never an empty record.
    const std::wstring sub = dir / L"sub";
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr) && CreateDirectoryW(SettingsFilePath(sub).c_str(), nullptr));
    SettingsRecord fresh;
    EXPECT_FALSE(ReadSettingsFile(sub, fresh));
    EXPECT_EQ(BuildRecordBytes(fresh).bytes, BuildRecordBytes(DefaultRecord()).bytes);
    ASSERT_TRUE(RemoveDirectoryW(SettingsFilePath(sub).c_str()));
    ASSERT_TRUE(WriteSettingsFile(sub, fresh));
    EXPECT_EQ(ReadBytes(SettingsFilePath(sub)), BuildRecordBytes(DefaultRecord()).bytes);

    // A file where the folder should be: the folder cannot be made.
    std::wstring blocked = dir / L"blocked";
    ASSERT_TRUE(WriteBytes(blocked, "x"));
    SettingsRecord none;
    EXPECT_FALSE(ReadSettingsFile(blocked, none));
    EXPECT_EQ(messages.shown.back().text, ReadFailedText(SettingsFilePath(blocked)));
    EXPECT_EQ(none.UndoLimit, 20);
}

TEST(SettingsFile, ProgramWritesOnlyIntoAnExistingFolder)
{
    ScratchDir dir(L"rec-program");
    CapturedMessages messages;
    std::wstring missing = dir / L"Settings";
    EXPECT_FALSE(WriteRecordIfFolderExists(missing, FullRecord()));
    EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES) << "the program never makes the folder";

    SettingsRecord rec = FullRecord();
    EXPECT_EQ(ReadRecord(SettingsFilePath(missing), rec), ReadResult::Missing);
    EXPECT_EQ(rec.ColorTag, FullRecord().ColorTag) << "a missing file leaves the record";

    EXPECT_TRUE(WriteRecordIfFolderExists(dir.Path(), FullRecord()));
    SettingsRecord back;
    EXPECT_EQ(ReadRecord(SettingsFilePath(dir.Path()), back), ReadResult::Read);
    EXPECT_EQ(BuildRecordBytes(back).bytes, BuildRecordBytes(FullRecord()).bytes);
    EXPECT_TRUE(messages.shown.empty());
}
