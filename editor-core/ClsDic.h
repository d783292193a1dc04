#pragma once
// String-keyed dictionary of the whole program: tag descriptions, variable
// types, CLSIDs, auto-insert classes, function lists and counters. Entries keep
// their insertion order; keys compare without regard to case. A value is a
// string, a 32-bit number or a nested dictionary (shared, not copied).
// No member throws: duplicate adds, absent keys and reads of the wrong kind
// give the neutral result.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class ClsDic {
public:
    long Count() const;
    bool Exists(const std::wstring& sKey) const;
    // True when the key holds a number entry.
    bool ExistsLong(const std::wstring& sKey) const;
    // True when the key holds a nested dictionary.
    bool ObExists(const std::wstring& sKey) const;

    // The three adds leave an existing key (of any kind) unchanged.
    void Add(const std::wstring& sKey, const std::wstring& sItem);
    void AddLong(const std::wstring& sKey, int32_t sItem);
    void AddDicItem(const std::wstring& sKey, const std::shared_ptr<ClsDic>& ObCol);

    void Remove(const std::wstring& sKey);
    void RemoveAll();

    // Write forms: the key is removed and added again with the new value, so
    // it moves to the end.
    void Item(const std::wstring& sKey, const std::wstring& value);
    void ItemLong(const std::wstring& sKey, int32_t value);

    // Read forms: "" / 0 when absent or of another kind.
    std::wstring Item(const std::wstring& sKey) const;
    int32_t ItemLong(const std::wstring& sKey) const;

    // Entry at 1-based position iItem: sKey receives its key, the value is
    // returned (a number as its decimal text, a nested dictionary as "");
    // a missing position gives "" and sKey "".
    std::wstring ItemByNum(long iItem, std::wstring& sKey) const;

    // When sKey holds a nested dictionary: its keys and values (0-based, in
    // its order) and True; otherwise False and both arrays left as they were.
    bool GetDicItem(const std::wstring& sKey, std::vector<std::wstring>& AKeys,
                    std::vector<std::wstring>& AItems) const;

    // All keys / values in insertion order; one "" when there are no entries.
    std::vector<std::wstring> Keys() const;
    std::vector<std::wstring> Items() const;

private:
    enum class Kind { Text, Number, Dic };
    struct Entry {
        std::wstring key;
        Kind kind = Kind::Text;
        std::wstring text;
        int32_t number = 0;
        std::shared_ptr<ClsDic> dic;
    };

    static std::wstring Fold(const std::wstring& key);
    const Entry* Find(const std::wstring& sKey) const;
    void Append(Entry entry);
    // Drops removed slots so positions are dense again.
    void Compact() const;
    static std::wstring ValueText(const Entry& e);

    // Removed entries leave an empty slot (dead) until the next positional
    // access, so removals in a loop stay cheap.
    mutable std::vector<Entry> entries_;
    mutable std::vector<bool> alive_;
    mutable std::unordered_map<std::wstring, size_t> index_;  // folded key -> slot
    mutable size_t dead_ = 0;
};
