#pragma once
// A joined word list (",If,Then,Else,") with a hash index over its entries.
// The colourers look a word up by its case-folded spelling and get back the
// entry's position in the joined list (the 1-based index of its leading
// comma, which the VBScript and JavaScript declaration thresholds compare
// with) and its spelling in the list. The first entry of a spelling wins, as
// a substring search of the joined text would find it.
#include <cstdint>
#include <string>
#include <vector>

namespace color {

enum class Fold { Upper, Lower };

class KeywordList {
public:
    struct Entry {
        long Pos;
        std::wstring Spelling;
    };

    explicit KeywordList(Fold fold) : fold_(fold) {}

    // Joined = "," + keywords with every div replaced by "," + ",".
    void Set(const std::wstring& div, const std::wstring& keywords);
    // Empties the list and sets the fold used from now on.
    void Reset(Fold fold);
    // Appends one entry (and its trailing comma) to the joined list, unless
    // the list has the word already.
    void Append(const wchar_t* word, size_t len);
    void Append(const std::wstring& word) { Append(word.data(), word.size()); }

    // A word folded and hashed once, to be looked up in every list that
    // folds the same way. It lives in this list's scratch buffer until the
    // next MakeKey or Find of this list.
    struct Key {
        const wchar_t* Text;
        size_t Len;
        uint32_t Hash;
    };
    // Inline, as the colourers make a key for every word of the text.
    Key MakeKey(const wchar_t* word, size_t len) const
    {
        if (key_.size() < len)
            key_.resize(len);
        wchar_t* d = &key_[0];
        // Folded and hashed in one pass; a word with other letters than
        // ASCII ones is folded again by the system and hashed afresh.
        uint32_t h = 0;
        wchar_t any = 0;
        const wchar_t from = fold_ == Fold::Upper ? L'a' : L'A';
        const int shift = fold_ == Fold::Upper ? -32 : 32;
        for (size_t i = 0; i < len; ++i) {
            wchar_t c = word[i];
            any |= c;
            if (static_cast<unsigned>(c - from) < 26u)
                c = static_cast<wchar_t>(c + shift);
            d[i] = c;
            h = Step(h, c);
        }
        if (any >= 128)
            return WideKey(word, len);
        return Key{d, len, h};
    }

    // nullptr when the word is not an entry; the pointer is valid until the
    // list changes.
    const Entry* Find(const Key& key) const
    {
        if (key.Len == 0 || key.Len > longest_ || table_.empty())
            return nullptr;
        const uint32_t mask = static_cast<uint32_t>(table_.size() - 1);
        for (uint32_t i = SlotOf(key.Hash); table_[i].entry != 0; i = (i + 1) & mask) {
            if (table_[i].hash != key.Hash)
                continue;
            const Slot& slot = entries_[table_[i].entry - 1];
            if (slot.key.size() == key.Len && Same(slot.key.data(), key.Text, key.Len))
                return &slot.entry;
        }
        return nullptr;
    }
    const Entry* Find(const wchar_t* word, size_t len) const;
    const Entry* Find(const std::wstring& word) const { return Find(word.data(), word.size()); }

    // The joined list and its folded copy (upper or lower case).
    const std::wstring& Joined() const { return joined_; }
    std::wstring Folded() const;
    bool Empty() const { return entries_.empty(); }
    size_t Count() const { return entries_.size(); }

private:
    void Index(size_t from);
    void AddEntry(size_t comma, const Key& key);
    void Insert(size_t entry);
    Key WideKey(const wchar_t* word, size_t len) const;

    // The hash: a rotate and an exclusive or per unit (two cycles, where a
    // multiply per unit took four). Its top bits after one multiply pick the
    // slot, so that the slot depends on every unit.
    static uint32_t Step(uint32_t h, wchar_t c) { return ((h << 5) | (h >> 27)) ^ static_cast<uint32_t>(c); }
    uint32_t SlotOf(uint32_t hash) const { return (hash * 0x9E3779B1u) >> shift_; }
    static bool Same(const wchar_t* a, const wchar_t* b, size_t len)
    {
        for (size_t i = 0; i < len; ++i) {
            if (a[i] != b[i])
                return false;
        }
        return true;
    }

    struct Slot {
        Entry entry;
        std::wstring key;   // folded spelling
        uint32_t hash;
    };

    Fold fold_;
    std::wstring joined_;
    // Open addressing over entries_: the index of an entry + 1, 0 when
    // free, with the entry's hash, so a probe reads the entry only when the
    // hash matches.
    struct Bucket {
        uint32_t hash;
        uint32_t entry;
    };
    std::vector<Slot> entries_;
    std::vector<Bucket> table_;
    unsigned shift_ = 32;   // 32 - log2 of the table's size
    size_t longest_ = 0;
    mutable std::wstring key_;   // reused so a lookup allocates nothing
};

} // namespace color
