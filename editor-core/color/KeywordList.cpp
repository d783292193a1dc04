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
    // A declared name comes again with every statement that declares it:
    // the list keeps it once.
    if (len > 0 && Find(word, len))
        return;
    size_t from = joined_.empty() ? 0 : joined_.size() - 1;
    if (joined_.empty())
        joined_ = L",";
    joined_.append(word, len);
    joined_ += L',';
    Index(from);
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
    return Key{d, len, Mix(h)};
}

void KeywordList::Insert(size_t entry)
{
    uint32_t mask = static_cast<uint32_t>(table_.size() - 1);
    const uint32_t hash = entries_[entry].hash;
    for (uint32_t i = hash & mask;; i = (i + 1) & mask) {
        if (table_[i].entry == 0) {
            table_[i] = Bucket{hash, static_cast<uint32_t>(entry + 1)};
            return;
        }
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
        const wchar_t* word = joined_.data() + start + 1;
        if (len > 0 && !Find(word, len)) {
            Key key = MakeKey(word, len);
            entries_.push_back(
                Slot{Entry{static_cast<long>(start + 1), std::wstring(word, len)}, std::wstring(key.Text, len), key.Hash});
            if (len > longest_)
                longest_ = len;
            // At most half full, so a probe soon meets a free slot.
            if (entries_.size() * 2 > table_.size()) {
                table_.assign(table_.empty() ? 64 : table_.size() * 2, Bucket{0, 0});
                for (size_t e = 0; e < entries_.size(); ++e)
                    Insert(e);
            } else {
                Insert(entries_.size() - 1);
            }
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
