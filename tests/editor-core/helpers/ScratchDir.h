#pragma once
// A fresh folder under the system temp folder for one test, removed with
// everything in it when the test ends.
#include "Bytes.h"
#include <string>

class ScratchDir {
public:
    explicit ScratchDir(const std::wstring& name);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& leaf) const { return path_ + L"\\" + leaf; }

private:
    std::wstring path_;
};

