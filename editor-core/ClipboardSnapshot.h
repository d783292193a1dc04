#pragma once
// A copy of everything on the clipboard, every format, so that a command that
// borrows the clipboard can give it back as it was.
#include <windows.h>

#include <string>
#include <vector>

class ClipboardSnapshot {
public:
    ClipboardSnapshot() = default;
    ~ClipboardSnapshot();
    ClipboardSnapshot(const ClipboardSnapshot&) = delete;
    ClipboardSnapshot& operator=(const ClipboardSnapshot&) = delete;

    // Copies the data of every format now on the clipboard. False when the
    // clipboard could not be opened.
    bool Take(HWND owner);
    // Empties the clipboard and puts the copies back; the clipboard owns them
    // afterwards. False when the clipboard could not be opened.
    bool Restore(HWND owner);
    size_t FormatCount() const { return items_.size(); }

    // Empties the clipboard and puts text (CF_UNICODETEXT) on it.
    static bool PutText(HWND owner, const std::wstring& text);

private:
    enum class Kind { Global, Bitmap, EnhMetafile, MetafilePict, Palette };
    struct Item {
        UINT format;
        Kind kind;
        HANDLE data;
    };
    static void Free(const Item& item);
    void Clear();

    std::vector<Item> items_;
};
