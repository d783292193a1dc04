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
    // Appends one entry (and its trailing comma) to the joined list.
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
    Key MakeKey(const wchar_t* word, size_t len) const;

    // nullptr when the word is not an entry; the pointer is valid until the
    // list changes.
    const Entry* Find(const Key& key) const;
    const Entry* Find(const wchar_t* word, size_t len) const;
    const Entry* Find(const std::wstring& word) const { return Find(word.data(), word.size()); }

    // The joined list and its folded copy (upper or lower case).
    const std::wstring& Joined() const { return joined_; }
    std::wstring Folded() const;
    bool Empty() const { return entries_.empty(); }
    size_t Count() const { return entries_.size(); }

private:
    void Index(size_t from);
    void Insert(size_t entry);

    struct Slot {
        Entry entry;
        std::wstring key;   // folded spelling
        uint32_t hash;
    };

    Fold fold_;
    std::wstring joined_;
    // Open addressing over entries_: the index of an entry + 1, 0 when free.
    std::vector<Slot> entries_;
    std::vector<uint32_t> table_;
    size_t longest_ = 0;
    mutable std::wstring key_;   // reused so a lookup allocates nothing
};

} // namespace color
