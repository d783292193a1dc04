#pragma once
// Start-up and shutdown of the main program: the entry procedure, the
// initialisation that builds the program state in a fixed order, the first
// document, and the one closing sequence.
#include <string>

#include "fedit/MainProgram.h"

class CSubclass;
class cTypeDic;
class fCM;
class fpad3;
namespace forms { class Form; }

// The entry procedure; returns the exit code.
int Main();
// Builds the program state (called by Main after the first forms exist).
void InitProgram();
// The closing sequence; runs once, however the program is closed.
void ShutDown();
// Opens the named file as the first document, under its long name when it has one.
void OpenCommandLineFile(std::wstring& path);
// Notes whether the system is of the NT family (State().IsNT).
void IsWinNT();
// Opens "tarnel58.chm" beside the program with its viewer.
void OpenHelpFile();
// Whether that help file is there; the Help menus offer it only then.
bool HelpFileFound();

// The one path on a command line: every double quote removed, no switches.
std::wstring CommandLinePath(const std::wstring& commandLine);

// The program's shared objects (null outside start-up to shutdown).
CSubclass* SharedSubclasser();
fCM* CustomMenuForm();
fpad3* ClipPadForm();
// The configurable shortcuts and the known object variables (null before
// the colouring step of start-up).
cTypeDic* TypeDictionary();

forms::Form* ToolForm(ToolWindow which);
