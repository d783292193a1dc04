#pragma once
// What the main window uses of the program around it: the other windows,
// the shared objects and the closing sequence. The program (Main.cpp)
// implements it and hands it to the window when it makes the window.
class CSubclass;
class cTypeDic;
class fCM;
class fpad3;
namespace forms { class Form; }

// The tool windows the launchers open (they load them): those made at
// start-up, and those made on first use (kept until shutdown).
enum class ToolWindow { ColorPicker, ImageViewer, Print, AutoSet, Reference };

class MainProgram {
public:
    virtual ~MainProgram() = default;
    virtual CSubclass* Subclasser() = 0;
    // Null before the colouring step of start-up.
    virtual cTypeDic* TypeDictionary() = 0;
    virtual fpad3* ClipPadForm() = 0;
    virtual fCM* CustomMenuForm() = 0;
    virtual forms::Form* ToolForm(ToolWindow which) = 0;
    // The one closing sequence, and the help file beside the program.
    virtual void ShutDown() = 0;
    virtual void OpenHelpFile() = 0;
    virtual bool HelpFileFound() = 0;
};
