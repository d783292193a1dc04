#include "Label.h"

#include "Internal.h"

namespace forms {

void Label::SetCaption(const std::wstring& text)
{
    if (text == caption_)
        return;
    caption_ = text;
    Invalidate();
}

void Label::SetAlignment(Align v)
{
    alignment_ = v;
    Invalidate();
}

void Label::SetBorderStyle(Border v)
{
    borderStyle_ = v;
    Invalidate();
}

void Label::SetAppearance(int v)
{
    appearance_ = v;
    Invalidate();
}

void Label::SetBackStyle(int v)
{
    backStyle_ = v;
    Invalidate();
}

void Label::Draw(HDC dc, RECT rc)
{
    if (backStyle_ == 0 && Parent()) {
        BrushHandle parentBrush;
        FillRect(dc, &rc, parentBrush.Get(Parent()->ContainerBackColor()));
    } else {
        FillRect(dc, &rc, BackBrush());
    }
    if (borderStyle_ == Border::FixedSingle) {
        if (appearance_ == 1) {
            DrawEdge(dc, &rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        } else {
            FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            InflateRect(&rc, -1, -1);
        }
    }
    HGDIOBJ old = SelectObject(dc, FontHandleNow());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ToColorRef(foreColor_) : GetSysColor(COLOR_GRAYTEXT));
    UINT fmt = alignment_ == Align::Right ? DT_RIGHT : alignment_ == Align::Center ? DT_CENTER : DT_LEFT;
    if (WordWrap)
        fmt |= DT_WORDBREAK;
    else if (EndEllipsis)
        fmt |= DT_SINGLELINE | DT_END_ELLIPSIS;
    if (!UseMnemonic)
        fmt |= DT_NOPREFIX;
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rc, fmt);
    SelectObject(dc, old);
}

void Label::SaveDesignState()
{
    Control::SaveDesignState();
    designLabel_ = std::make_tuple(caption_, alignment_, borderStyle_, appearance_, backStyle_);
}

void Label::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(caption_, alignment_, borderStyle_, appearance_, backStyle_) = designLabel_;
}

} // namespace forms

namespace forms {

int Label::CaptionWidth() const
{
    HDC dc = GetDC(nullptr);
    if (!dc)
        return 0;
    FontHandle font;
    HGDIOBJ old = SelectObject(dc, font.Get(Font()));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return PixelsToTwipsX(size.cx);
}

} // namespace forms
