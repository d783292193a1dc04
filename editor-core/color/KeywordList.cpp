#include "color/KeywordList.h"

#include <windows.h>

#include <cwchar>

namespace color {

void KeywordList::Reset(Fold fold)
{
    fold_ = fold;
    joined_.clear();
    entries_.clear();
    table_.clear();
    longest_ = 0;
}

void KeywordList::Set(const std::wstring& div, const std::wstring& keywords)
{
    Reset(fold_);
    joined_.reserve(keywords.size() + 2);
    joined_ = L",";
    if (div.empty() || div == L",") {
        joined_ += keywords;
    } else {
        size_t from = 0;
        for (;;) {
            size_t p = keywords.find(div, from);
            if (p == std::wstring::npos)
                break;
            joined_.append(keywords, from, p - from);
            joined_ += L',';
            from = p + div.size();
        }
        joined_.append(keywords, from, std::wstring::npos);
    }
    joined_ += L',';
    Index(0);
}

void KeywordList::Append(const wchar_t* word, size_t len)
{
    const size_t from = joined_.empty() ? 0 : joined_.size() - 1;
    Key key{nullptr, 0, 0};
    if (len > 0) {
        // A declared name comes again with every statement that declares
        // it: the list keeps it once.
        key = MakeKey(word, len);
        if (Find(key))
            return;
    }
    if (joined_.empty())
        joined_ = L",";
    joined_.append(word, len);
    joined_ += L',';
    if (len > 0)
        AddEntry(from, key);
}

KeywordList::Key KeywordList::WideKey(const wchar_t* word, size_t len) const
{
    wchar_t* d = &key_[0];
    // Maps code unit by code unit, so the length stays.
    if (fold_ == Fold::Upper)
        CharUpperBuffW(d, static_cast<DWORD>(len));
    else
        CharLowerBuffW(d, static_cast<DWORD>(len));
    // A few letters fold into ASCII ("\u0131" dotless i to "I", the long s
    // to "S", the Kelvin sign to "k"); they are other names than the ASCII
    // ones, so they keep their own code.
    uint32_t h = 0;
    for (size_t i = 0; i < len; ++i) {
        if (word[i] >= 128 && d[i] < 128)
            d[i] = word[i];
        h = Step(h, d[i]);
    }
    return Key{d, len, h};
}

void KeywordList::Insert(size_t entry)
{
    uint32_t mask = static_cast<uint32_t>(table_.size() - 1);
    const uint32_t hash = entries_[entry].hash;
    for (uint32_t i = SlotOf(hash);; i = (i + 1) & mask) {
        if (table_[i].entry == 0) {
            table_[i] = Bucket{hash, static_cast<uint32_t>(entry + 1)};
            return;
        }
    }
}

// The entry whose leading comma lies at `comma`, which the list does not
// have yet; key is its folded spelling.
void KeywordList::AddEntry(size_t comma, const Key& key)
{
    const wchar_t* word = joined_.data() + comma + 1;
    entries_.push_back(Slot{Entry{static_cast<long>(comma + 1), std::wstring(word, key.Len)},
                            std::wstring(key.Text, key.Len), key.Hash});
    if (key.Len > longest_)
        longest_ = key.Len;
    // At most half full, so a probe soon meets a free slot. The first table
    // is small: the known names start afresh with every script block.
    if (entries_.size() * 2 > table_.size()) {
        table_.assign(table_.empty() ? 16 : table_.size() * 2, Bucket{0, 0});
        shift_ = 32 - static_cast<unsigned>(__builtin_ctzll(table_.size()));
        for (size_t e = 0; e < entries_.size(); ++e)
            Insert(e);
    } else {
        Insert(entries_.size() - 1);
    }
}

// Indexes the entries whose leading comma lies at or after `from`.
void KeywordList::Index(size_t from)
{
    size_t start = from;   // index of an entry's leading comma
    for (;;) {
        size_t next = joined_.find(L',', start + 1);
        if (next == std::wstring::npos)
            return;
        size_t len = next - start - 1;
        if (len > 0) {
            Key key = MakeKey(joined_.data() + start + 1, len);
            if (!Find(key))
                AddEntry(start, key);
        }
        start = next;
    }
}

const KeywordList::Entry* KeywordList::Find(const wchar_t* word, size_t len) const
{
    if (len == 0 || len > longest_ || table_.empty())
        return nullptr;
    return Find(MakeKey(word, len));
}

std::wstring KeywordList::Folded() const
{
    Key key = MakeKey(joined_.data(), joined_.size());
    return std::wstring(key.Text, key.Len);
}

} // namespace color
