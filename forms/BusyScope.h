#pragma once
// BusyScope: runs a handler marked busy. Handlers that set controls raise
// those controls' events again; a form's busy flag stops them from running
// into each other: nothing runs when another handler holds the flag, else
// the flag is held for the handler's life.
//
//   void fX::bSave_Click()
//   {
//       forms::BusyScope busy(busy_);
//       if (!busy.Entered())
//           return;
//       ...
//   }

namespace forms {

class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy), entered_(!busy) { busy_ = true; }
    ~BusyScope()
    {
        if (entered_)
            busy_ = false;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    bool Entered() const { return entered_; }

private:
    bool& busy_;
    bool entered_;
};

} // namespace forms
