#pragma once
// fbrowser: the preview window. The page fills it above a strip with the
// element-information line, the two size lists, the resize buttons and the
// way back to the editor. It is made hidden at start-up and lives until
// shutdown; closing it ends the program.
#include "ButSilver2/ButSilver2Control.h"
#include "CToolTip/CToolTip.h"
#include "ElementInfo.h"
#include "forms/ControlArray.h"
#include "forms/Controls.h"
#include "forms/Form.h"
#include "html/view/PageView.h"

#include <string>

class fbrowser : public forms::Form, private html::PageViewEvents {
public:
    fbrowser();
    ~fbrowser() override;

    html::PageView wb1;
    forms::Frame FrBig, FrButs;
    forms::TextBox turl;
    forms::ComboBox BoxW, BoxH;
    // 0 "Display page in size shown.", 1 "Return page view to normal size."
    forms::ControlArray<ButSilver2Control> bResize;
    forms::Image btext;

    forms::MenuItem mfile, mbSave, mbsaveas, mexit;
    forms::MenuItem mview, mtextview, mline1, m15, m17, mreset, mline2, mOther, mOpenWith;
    forms::MenuArray mOtherB;
    forms::MenuItem mrefresh, mprint, mhelp, mcallhelp, msp1, msp2, msp3, mtitle;

    // A navigation with no history and no cache.
    void Navigate(const std::wstring& path);
    void FocusPage();
    // Lets go of the page's document and the tooltip (shutdown).
    void ReleaseDocument();
    const std::wstring& ElementText() const { return ElementInfo; }

    // The handlers, also driven by tests.
    void mbSave_Click();
    void mbsaveas_Click();
    void mExit_Click();
    void btext_Click();
    void mtextview_Click();
    void BoxW_Click();
    void bResize_Click(int Index);
    void m15_Click();
    void m17_Click();
    void mreset_Click();
    void mOther_Click();
    void mOtherB_Click(int Index);
    void mrefresh_Click();
    void mPrint_Click();

private:
    void Form_Load() override;
    void HideHoverInfo() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // The page's events.
    void BeforeNavigate2(const std::wstring& url, bool& cancel) override;
    void NavigateComplete2(const std::wstring& url) override;
    void DocumentComplete(const std::wstring& url) override;
    void OnMouseOver() override;
    void OnKeyDown() override;
    bool OnContextMenu() override { return false; }
    void ResizeTo(int width, int height) override;

    void BuildMenus();
    void FindOtherBrowsers();
    void ReturnFromPage(bool deleteCopy);
    void SaveScrollTop();
    void ResizePage(int width, int height);

    CToolTip tip_;
    bool InPageJump = false;
    bool StandardsMode = false;
    std::wstring ElementInfo;
    StyleRuleLists rules_;
    bool busy_ = false;
};
