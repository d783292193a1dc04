// The include-file panel on a test form, linking into a document editor.
#include "EditorState.h"
#include "KvRTB/KvRTB.h"
#include "ModFileOps.h"
#include "SettingsAccess.h"
#include "WindowTest.h"
#include "forms/Form.h"
#include "functions/IncludePanel.h"
#include "functions/LinkFiles.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

namespace {

class fPanelTest : public forms::Form {
public:
    fPanelTest()
    {
        SetCaption(L"Include panel test");
        SetClientSize(9000, 6000);
        JT1.Place(*this, 0, 0, 9000, 2400);
        FrPopup.Place(*this, 120, 2520, 6000, 3300);
        Panel.Build(FrPopup);
    }
    ~fPanelTest() override { Teardown(); }
    KvRTB JT1;
    forms::Frame FrPopup;
    IncludePanel Panel;
};

TEST(IncludePanel, LinksAndUnlinksThroughTheDocument)
{
    const std::wstring folder = wt::ScratchFolder(L"includepanel");
    const std::wstring lib = folder + L"\\lib.vbs";
    ASSERT_TRUE(ModFileOps::WriteTextFile(lib, L"Sub FromLib(a, b)\r\n"));
    fPanelTest form;
    ASSERT_TRUE(form.Load());
    State().CurrentEditor = &form.JT1;
    State().EdType = EditorType::HTML;
    form.JT1.SetText(L"<!DOCTYPE html>\r<html>\r");
    DocFuncLists().Reset();

    EXPECT_FALSE(form.Panel.LinkFile(folder + L"\\missing.vbs"));
    ASSERT_TRUE(form.Panel.LinkFile(lib));
    EXPECT_EQ(form.Panel.BoxRef.ListCount(), 1);
    EXPECT_EQ(DocFuncLists().Signature(L"FromLib"), L"FromLib(a, b)");
    EXPECT_EQ(form.JT1.GetTextRange(0, form.JT1.LenText()),
              L"<!DOCTYPE html>\r<!-- **TARNEL LINK FILE: " + lib + L" * -->\r<html>\r");

    std::vector<std::wstring> messages;
    platform::SetMessageInterceptor([&](const std::wstring& text, const std::wstring&, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    form.Panel.BoxRef.SetListIndex(-1);
    form.Panel.bFile.Click(1);
    EXPECT_EQ(messages, std::vector<std::wstring>{L"Nothing selected."});
    form.Panel.BoxRef.SetListIndex(0);
    form.Panel.bFile.Click(1);
    platform::SetMessageInterceptor(nullptr);
    EXPECT_EQ(form.Panel.BoxRef.ListCount(), 0);
    EXPECT_EQ(DocFuncLists().Signature(L"FromLib"), L"");
    EXPECT_EQ(form.JT1.GetTextRange(0, form.JT1.LenText()), L"<!DOCTYPE html>\r<html>\r");

    // A drop links its first file only, and only when it exists.
    const std::wstring missing = folder + L"\\missing.vbs";
    form.Panel.BoxRef.OLEDragDrop({missing, lib}, 1, 0, 0, 0);
    EXPECT_EQ(form.Panel.BoxRef.ListCount(), 0);
    form.Panel.BoxRef.OLEDragDrop({lib, missing}, 1, 0, 0, 0);
    EXPECT_EQ(form.Panel.BoxRef.ListCount(), 1);
    EXPECT_TRUE(DocFuncLists().IsLinked(lib));
    State().CurrentEditor = nullptr;
}

} // namespace
