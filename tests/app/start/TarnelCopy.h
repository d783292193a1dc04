#pragma once
// TARNEL in a program folder of its own for one test: the program, its two
// DLLs and the keyword files, with a Settings folder whose record the test
// controls. Started, found and closed from outside.
#include <windows.h>

#include <string>

#include "SettingsRecord.h"
#include "WindowTest.h"

namespace apptest {

class Tarnel {
public:
    // Copies the program into bin/tests/scratch/<name>; the Settings folder
    // holds the keyword files and no record.
    explicit Tarnel(const std::wstring& name);
    ~Tarnel();

    const std::wstring& Folder() const { return folder_; }
    std::wstring SettingsFile() const { return folder_ + L"\\Settings\\plimsors.dat"; }
    void WriteRecord(const SettingsRecord& rec) const;
    // The record file as it is now; false when there is none.
    bool ReadRecord(SettingsRecord& rec) const;

    // Starts the program and waits for its main window.
    bool Start(const std::wstring& args = L"");
    // Starts the program, answers the message it shows before its main
    // window (text: what it said) and waits for the main window.
    bool StartPastMessage(std::wstring& text);
    HWND Main() const { return main_; }
    wt::Process& Process() { return process_; }
    // The editor's RichEdit window.
    HWND Editor() const;
    // The line-number gutter: the tallest text box.
    HWND Gutter() const;
    void Command(unsigned id) const { wt::PostCommand(main_, id); }
    // Types characters into the editor as the keyboard would.
    void Type(const std::wstring& text) const;
    // A key pressed with Shift or Ctrl held, through the keyboard, so the
    // program reads the modifier as held; returns when the keys were taken.
    void KeyWith(WORD modifier, WORD key) const;
    // The program ended within the time; its exit code is 0.
    bool Ends(DWORD ms = 15000);
    // A screenshot of the screen under bin/tests/scratch/<name>.
    void Shot(const std::wstring& file) const;

private:
    bool Launch(const std::wstring& args);
    bool WaitForMain();

    std::wstring folder_;
    wt::Process process_;
    HWND main_ = nullptr;
};

} // namespace apptest
