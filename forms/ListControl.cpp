#include "ListControl.h"

#include <algorithm>

namespace forms {

namespace {

int CompareNoCase(const std::wstring& a, const std::wstring& b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                          b.c_str(), static_cast<int>(b.size())) - CSTR_EQUAL;
}

} // namespace

int ListControl::AddItem(const std::wstring& item, int index)
{
    int count = ListCount();
    if (index > count || index < -1)
        return -1;
    if (hwnd) {
        LRESULT r = index < 0 ? SendMessageW(hwnd, msg_.add, 0, reinterpret_cast<LPARAM>(item.c_str()))
                              : SendMessageW(hwnd, msg_.insert, static_cast<WPARAM>(index),
                                             reinterpret_cast<LPARAM>(item.c_str()));
        newIndex_ = r < 0 ? -1 : static_cast<int>(r);
        return newIndex_;
    }
    int at = index;
    if (at < 0) {
        at = count;
        if (Sorted) {
            at = 0;
            while (at < count && CompareNoCase(items_[static_cast<size_t>(at)].text, item) <= 0)
                ++at;
        }
    }
    items_.insert(items_.begin() + at, Item{item, 0});
    if (listIndex_ >= at)
        ++listIndex_;
    newIndex_ = at;
    return at;
}

void ListControl::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    if (hwnd) {
        SendMessageW(hwnd, msg_.remove, static_cast<WPARAM>(index), 0);
        return;
    }
    items_.erase(items_.begin() + index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
}

void ListControl::Clear()
{
    if (hwnd)
        SendMessageW(hwnd, msg_.reset, 0, 0);
    items_.clear();
    listIndex_ = -1;
    lastClickIndex_ = -1;
}

std::wstring ListControl::List(int index) const
{
    if (index < 0 || index >= ListCount())
        return L"";
    if (!hwnd)
        return items_[static_cast<size_t>(index)].text;
    LRESULT n = SendMessageW(hwnd, msg_.getTextLen, static_cast<WPARAM>(index), 0);
    if (n <= 0)
        return L"";
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(hwnd, msg_.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&s[0]));
    s.resize(static_cast<size_t>(std::max<LRESULT>(0, n)));
    return s;
}

void ListControl::SetList(int index, const std::wstring& item)
{
    if (index < 0 || index >= ListCount())
        return;
    if (!hwnd) {
        items_[static_cast<size_t>(index)].text = item;
        return;
    }
    LPARAM data = ItemData(index);
    bool selected = ListIndex() == index;
    SendMessageW(hwnd, msg_.remove, static_cast<WPARAM>(index), 0);
    SendMessageW(hwnd, msg_.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(hwnd, msg_.setData, static_cast<WPARAM>(index), data);
    if (selected)
        SendMessageW(hwnd, msg_.setSel, static_cast<WPARAM>(index), 0);
}

int ListControl::ListCount() const
{
    if (!hwnd)
        return static_cast<int>(items_.size());
    LRESULT n = SendMessageW(hwnd, msg_.count, 0, 0);
    return n < 0 ? 0 : static_cast<int>(n);
}

int ListControl::ListIndex() const
{
    if (!hwnd)
        return listIndex_;
    if (MultiSelectMode())
        return static_cast<int>(SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0));
    LRESULT r = SendMessageW(hwnd, msg_.getSel, 0, 0);
    return r < 0 ? -1 : static_cast<int>(r);
}

void ListControl::SetListIndex(int index)
{
    if (index < -1 || index >= ListCount())
        return;
    int old = ListIndex();
    if (!hwnd) {
        listIndex_ = index;
        return;
    }
    if (MultiSelectMode()) {
        SendMessageW(hwnd, LB_SETCARETINDEX, static_cast<WPARAM>(std::max(0, index)), FALSE);
        if (index >= 0)
            SendMessageW(hwnd, LB_SETSEL, TRUE, index);
    } else {
        SendMessageW(hwnd, msg_.setSel, static_cast<WPARAM>(index), 0);
    }
    lastClickIndex_ = index;
    // Setting the selection from code raises Click, as a click does.
    if (index >= 0 && index != old)
        FireClick();
}

LPARAM ListControl::ItemData(int index) const
{
    if (index < 0 || index >= ListCount())
        return 0;
    if (!hwnd)
        return items_[static_cast<size_t>(index)].data;
    return SendMessageW(hwnd, msg_.getData, static_cast<WPARAM>(index), 0);
}

void ListControl::SetItemData(int index, LPARAM data)
{
    if (index < 0 || index >= ListCount())
        return;
    if (!hwnd)
        items_[static_cast<size_t>(index)].data = data;
    else
        SendMessageW(hwnd, msg_.setData, static_cast<WPARAM>(index), data);
}

int ListControl::FindItem(const std::wstring& text) const
{
    int n = ListCount();
    for (int i = 0; i < n; ++i)
        if (CompareNoCase(List(i), text) == 0)
            return i;
    return -1;
}

void ListControl::OnCreated()
{
    std::vector<Item> items;
    items.swap(items_);
    for (size_t i = 0; i < items.size(); ++i) {
        // Already in order (sorted when added), so insert at the position.
        SendMessageW(hwnd, msg_.insert, i, reinterpret_cast<LPARAM>(items[i].text.c_str()));
        SendMessageW(hwnd, msg_.setData, i, items[i].data);
    }
    if (listIndex_ >= 0 && listIndex_ < static_cast<int>(items.size())) {
        if (MultiSelectMode()) {
            SendMessageW(hwnd, LB_SETSEL, TRUE, listIndex_);
            SendMessageW(hwnd, LB_SETCARETINDEX, static_cast<WPARAM>(listIndex_), FALSE);
        } else {
            SendMessageW(hwnd, msg_.setSel, static_cast<WPARAM>(listIndex_), 0);
        }
    }
    lastClickIndex_ = listIndex_;
}

void ListControl::OnDestroying()
{
    int n = ListCount();
    std::vector<Item> items;
    for (int i = 0; i < n; ++i)
        items.push_back(Item{List(i), ItemData(i)});
    listIndex_ = ListIndex();
    items_.swap(items);
}

bool ListControl::SelectionChangedByUser()
{
    int now = ListIndex();
    lastClickIndex_ = now;
    return FireClick();
}

void ListControl::SaveDesignState()
{
    Control::SaveDesignState();
    designListControl_ = std::make_tuple(items_, listIndex_);
}

void ListControl::RestoreDesignState()
{
    Control::RestoreDesignState();
    std::tie(items_, listIndex_) = designListControl_;
}

} // namespace forms
