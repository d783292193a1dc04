#pragma once
// A tool window made at start-up that lives until shutdown; its window is
// loaded, hidden, when first used. A user's close only hides it, and only
// the closing sequence unloads it.
#include "forms/Form.h"

#include <string>

class HiddenForm : public forms::Form {
public:
    explicit HiddenForm(const std::wstring& caption);
    // Forms with controls of their own tear down in their own destructor.
    ~HiddenForm() override { Teardown(); }

protected:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
};
