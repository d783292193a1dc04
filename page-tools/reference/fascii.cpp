#include "fascii.h"

#include "forms/Runtime.h"

#include <richedit.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<fascii>& Instance()
{
    static std::unique_ptr<fascii> window;
    return window;
}

int CALLBACK FixedFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM faces)
{
    if ((lf->lfPitchAndFamily & 3) == FIXED_PITCH && (type & TRUETYPE_FONTTYPE) && lf->lfFaceName[0] != L'@')
        reinterpret_cast<std::vector<std::wstring>*>(faces)->push_back(lf->lfFaceName);
    return 1;
}

// "Courier New", or another fixed-pitch face where the system lacks it.
std::wstring FixedPitchFace()
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::vector<std::wstring> faces;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &lf, FixedFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, screen);
    for (const wchar_t* wanted : {L"Courier New", L"Liberation Mono", L"DejaVu Sans Mono"})
        if (std::find(faces.begin(), faces.end(), wanted) != faces.end())
            return wanted;
    return faces.empty() ? L"Courier New" : faces.front();
}

} // namespace

fascii& ReferenceWindow()
{
    if (!Instance())
        Instance() = std::make_unique<fascii>();
    return *Instance();
}

void UnloadReferenceWindow()
{
    if (!Instance())
        return;
    Instance()->Unload();
    Instance().reset();
}

fascii::fascii()
{
    SetCaption(L"Character codes - Keycodes - SendKeys  (right-click to copy)");
    BorderStyle = forms::FormBorderStyle::Sizable;
    StartUpPosition = forms::FormStartUpPosition::CenterScreen;
    Move(forms::kKeep, forms::kKeep, 8520, 5340);
    forms::FontSpec font;
    font.Name = L"Courier New";
    font.Size = 8;
    SetFont(font);
    TAsc.Place(*this, 0, 0, 8400, 4800);
    TMes.Place(*this, 0, 0, 5100, 4800);
    TMes.SetVisible(false);
    // The texts line up their columns with blanks.
    for (KvRTB* box : {&TAsc, &TMes})
        box->SetFontName(FixedPitchFace());
    Menus.Add(mPop, L"popup");
    mPop.SetVisible(false);
    mPop.Add(mCopy, L"Copy");
    mCopy.SetCommandId(reference::kCopyCommandId);

    TAsc.MouseUp = [this](int Button, int, int, int) { TAsc_MouseUp(Button); };
    mCopy.Click = [this] { mCopy_Click(); };
}

fascii::~fascii() { Teardown(); }

void fascii::Form_Load()
{
    for (KvRTB* box : {&TAsc, &TMes}) {
        SendMessageW(box->RTBhWnd(), EM_SETUNDOLIMIT, 0, 0);
        box->SetFontSize(8);
        box->SetReadOnly(true);
        SendMessageW(box->RTBhWnd(), EM_SETREADONLY, TRUE, 0);
    }
}

void fascii::Form_Resize()
{
    KvRTB& shown = TAsc.Visible() ? TAsc : TMes;
    shown.Move(0, 0, ScaleWidth(), ScaleHeight());
}

void fascii::ShowText(reference::RefText text)
{
    Load();
    const bool codes = text == reference::RefText::Codes;
    SetCaption(codes ? L"Character codes - Keycodes - SendKeys (right-click to copy)" : L"VBScript Constants");
    Move(forms::kKeep, forms::kKeep, codes ? 8520 : 5240, 5340);
    TMes.SetVisible(!codes);
    TAsc.SetVisible(codes);
    Form_Resize();
    if (codes)
        LoadAscRef();
    else
        LoadMesRef();
    Show(forms::vbModeless);
    SetForegroundWindow(hwnd);
}

void fascii::LoadAscRef() { LoadText(TAsc, reference::RefText::Codes); }

void fascii::LoadMesRef() { LoadText(TMes, reference::RefText::Constants); }

void fascii::LoadText(KvRTB& box, reference::RefText text)
{
    if (box.LenText() != 0)
        return;
    box.SetText(reference::LoadReferenceText(GetModuleHandleW(nullptr), text));
    box.SelAll();
    box.SetSelBold(0, true);
    box.SetSelStart(0);
    for (const reference::HeadingMark& mark : reference::HeadingMarks(text))
        BoldHeadings(box, mark.line, mark.colour);
    // The marks leave the caret on a heading further down: open at the top.
    box.SetSelStart(0);
    box.SetTopLine(0);
}

void fascii::BoldHeadings(KvRTB& box, long line, COLORREF colour)
{
    // The last line is never marked.
    if (line >= box.TotalLines() - 1)
        return;
    const long start = box.GetLineIndex(line);
    box.SetSelection(start, box.GetLineIndex(line + 1) - 1);
    box.SetSelBold(colour, true);
    box.SetSelStart(start);
}

void fascii::TAsc_MouseUp(int Button)
{
    if (Button != forms::vbRightButton)
        return;
    mCopy.SetEnabled(TAsc.SelLength() > 0);
    PopupMenu(mPop);
}

void fascii::mCopy_Click()
{
    if (TAsc.SelLength() <= 0)
        return;
    forms::ClipboardClear();
    forms::ClipboardSetText(TAsc.SelText());
}
