#pragma once
// fOmLib: the page library window ("Snippet Library"). It lists the pages of
// the OmLib folder, shows one page's text for viewing and editing, and saves,
// renames and deletes pages. Names the file system cannot hold or that could
// reach outside the folder are refused; no page is replaced without asking.
// Loaded when first opened, unloaded when the user closes it.
#include "ButSilver2/ButSilver2Control.h"
#include "forms/Controls.h"
#include "forms/Form.h"

#include <string>

class fOmLib : public forms::Form {
public:
    fOmLib();
    ~fOmLib() override;

    // Refills the page list from the folder.
    void RefreshLibList();
    // The page on show ("" for none).
    const std::wstring& CurrentPage() const { return currentPage_; }

    forms::ListBox boxLib;
    forms::TextBox tLib;
    forms::Label LabItem;
    forms::ControlArray<forms::Label> Lab;  // fixed texts
    forms::Frame FrButs;
    ButSilver2Control bViewPage, bRename, bDelPage, bSaveNew, bSaveCh;
    forms::MenuItem mFile, mSaveCh, mSaveNew, mtemp1, mClose;
    forms::MenuItem mList, mSelPage, mViewPage, mRename, mDelPage, mListFresh;
    forms::MenuItem mPop1, mPopFresh, mtemp2, mPopViewPage, mPopRename, mPopDelPage;

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
    void PlaceControls();
    void PlaceMenus();
    void ViewPage();
    void SaveChanges();
    void SaveNew();
    void RenamePage();
    void DeletePage();
    void SetPageButtons();
    void EnablePageMenus(bool selected);
    void EnableSaveChanges(bool enabled);
    void ClearPage();
    bool NameAccepted(const std::wstring& name);
    void boxLib_MouseUp(int Button);

    std::wstring folder_;
    std::wstring currentPage_;
    bool busy_ = false;
};

// Opens the page library: loads the window, lists the pages, shows it.
void OpenPageLibrary();
fOmLib& PageLibraryForm();
// Unloads and destroys it (shutdown).
void UnloadPageLibraryForm();
