#pragma once
// A hidden form holding one KvRTB, for tests that drive the control directly.
#include <gtest/gtest.h>

#include "KvRTB/KvRTB.h"
#include "KvRTB/ModKvRTB.h"
#include "SettingsRecord.h"
#include "forms/Form.h"

class fRtbTest : public forms::Form {
public:
    fRtbTest()
    {
        SetCaption(L"KvRTB test");
        SetClientSize(6000, 3000);
        JT1.Place(*this, 0, 0, 6000, 3000);
    }
    ~fRtbTest() override { Teardown(); }
    KvRTB JT1;
};

class KvRTBTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings().UTF8Text = false;
        ASSERT_TRUE(form.Load());
        ASSERT_NE(form.JT1.RTBhWnd(), nullptr);
    }
    void TearDown() override { Settings().UTF8Text = false; }
    KvRTB& rtb() { return form.JT1; }
    fRtbTest form;
};
