#include "ClsDic.h"

#include "platform/Text.h"

std::wstring ClsDic::Fold(const std::wstring& key)
{
    return platform::Upper(key);
}

const ClsDic::Entry* ClsDic::Find(const std::wstring& sKey) const
{
    auto it = index_.find(Fold(sKey));
    return it == index_.end() ? nullptr : &entries_[it->second];
}

void ClsDic::Append(Entry entry)
{
    std::wstring folded = Fold(entry.key);
    if (index_.count(folded))
        return;
    const size_t before = entries_.size();
    try {
        entries_.push_back(std::move(entry));
        alive_.push_back(true);
        index_.emplace(std::move(folded), before);
    } catch (...) {
        // Out of memory: drop the entry and keep the containers in step.
        entries_.resize(before);
        alive_.resize(before);
    }
}

void ClsDic::Compact() const
{
    if (dead_ == 0)
        return;
    size_t out = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (!alive_[i])
            continue;
        if (out != i)
            entries_[out] = std::move(entries_[i]);
        index_[Fold(entries_[out].key)] = out;
        ++out;
    }
    entries_.resize(out);
    alive_.assign(out, true);
    dead_ = 0;
}

std::wstring ClsDic::ValueText(const Entry& e)
{
    switch (e.kind) {
    case Kind::Text: return e.text;
    case Kind::Number: return std::to_wstring(e.number);
    default: return L"";
    }
}

long ClsDic::Count() const
{
    return static_cast<long>(index_.size());
}

bool ClsDic::Exists(const std::wstring& sKey) const
{
    return Find(sKey) != nullptr;
}

bool ClsDic::ExistsLong(const std::wstring& sKey) const
{
    const Entry* e = Find(sKey);
    return e && e->kind == Kind::Number;
}

bool ClsDic::ObExists(const std::wstring& sKey) const
{
    const Entry* e = Find(sKey);
    return e && e->kind == Kind::Dic;
}

void ClsDic::Add(const std::wstring& sKey, const std::wstring& sItem)
{
    Entry e;
    e.key = sKey;
    e.kind = Kind::Text;
    e.text = sItem;
    Append(std::move(e));
}

void ClsDic::AddLong(const std::wstring& sKey, int32_t sItem)
{
    Entry e;
    e.key = sKey;
    e.kind = Kind::Number;
    e.number = sItem;
    Append(std::move(e));
}

void ClsDic::AddDicItem(const std::wstring& sKey, const std::shared_ptr<ClsDic>& ObCol)
{
    Entry e;
    e.key = sKey;
    e.kind = Kind::Dic;
    e.dic = ObCol;
    Append(std::move(e));
}

void ClsDic::Remove(const std::wstring& sKey)
{
    auto it = index_.find(Fold(sKey));
    if (it == index_.end())
        return;
    size_t slot = it->second;
    index_.erase(it);
    entries_[slot] = Entry{};
    alive_[slot] = false;
    ++dead_;
    if (index_.empty()) {
        entries_.clear();
        alive_.clear();
        dead_ = 0;
    }
}

void ClsDic::RemoveAll()
{
    entries_.clear();
    alive_.clear();
    index_.clear();
    dead_ = 0;
}

void ClsDic::Item(const std::wstring& sKey, const std::wstring& value)
{
    Remove(sKey);
    Add(sKey, value);
}

void ClsDic::ItemLong(const std::wstring& sKey, int32_t value)
{
    Remove(sKey);
    AddLong(sKey, value);
}

std::wstring ClsDic::Item(const std::wstring& sKey) const
{
    const Entry* e = Find(sKey);
    return e && e->kind == Kind::Text ? e->text : std::wstring();
}

int32_t ClsDic::ItemLong(const std::wstring& sKey) const
{
    const Entry* e = Find(sKey);
    return e && e->kind == Kind::Number ? e->number : 0;
}

std::wstring ClsDic::ItemByNum(long iItem, std::wstring& sKey) const
{
    Compact();
    if (iItem < 1 || static_cast<size_t>(iItem) > entries_.size()) {
        sKey.clear();
        return L"";
    }
    const Entry& e = entries_[static_cast<size_t>(iItem) - 1];
    sKey = e.key;
    return ValueText(e);
}

bool ClsDic::GetDicItem(const std::wstring& sKey, std::vector<std::wstring>& AKeys,
                        std::vector<std::wstring>& AItems) const
{
    const Entry* e = Find(sKey);
    if (!e || e->kind != Kind::Dic || !e->dic)
        return false;
    const ClsDic& inner = *e->dic;
    std::vector<std::wstring> keys, items;
    long n = inner.Count();
    keys.reserve(n);
    items.reserve(n);
    for (long i = 1; i <= n; ++i) {
        std::wstring key;
        items.push_back(inner.ItemByNum(i, key));
        keys.push_back(std::move(key));
    }
    AKeys = std::move(keys);
    AItems = std::move(items);
    return true;
}

std::vector<std::wstring> ClsDic::Keys() const
{
    Compact();
    if (entries_.empty())
        return {L""};
    std::vector<std::wstring> keys;
    keys.reserve(entries_.size());
    for (const Entry& e : entries_)
        keys.push_back(e.key);
    return keys;
}

std::vector<std::wstring> ClsDic::Items() const
{
    Compact();
    if (entries_.empty())
        return {L""};
    std::vector<std::wstring> items;
    items.reserve(entries_.size());
    for (const Entry& e : entries_)
        items.push_back(ValueText(e));
    return items;
}
