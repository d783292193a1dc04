// The main window's handlers of the editor JT1.
#include "fedit.h"

#include "EditorState.h"
#include "TypingGlue.h"
#include "settings-library/record/SettingsRecord.h"

#include <richedit.h>

void fedit::JT1_LineEvent(long& LType)
{
    EditorState& s = State();
    long start = 0, end = 0;
    JT1.GetSelection(start, end);
    long line = JT1.GetLineFromChar(start);
    if (line == s.RememberedCaretLine || start != end) {
        const long type = Settings().LastEdType;
        if ((type == 1 || type == 2) && !Settings().NoLineDebug && s.LineDebugOn) {
            RedrawLock lock(hwnd);
            s.InVBSBlockNow = InVBScriptBlock(start);
            s.InVBSBlockPrev = s.InVBSBlockNow;
        }
    } else {
        bool afterEnter = LType == 2;
        RedrawLock lock(hwnd);
        ProcessEditedLine(start, line, afterEnter);
    }
    s.RememberedCaretLine = line;
    s.RememberedCaretPos = start;
}
