#pragma once
// A COM enumerator (IEnumConnectionPoints, IEnumConnections) over a copy of
// the items taken when it was made: advising or unadvising while a client
// walks it changes nothing under its feet. Each item holds a reference of its
// own, and every item Next hands out carries one more for the caller.
#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <new>
#include <vector>

#include "ComObject.h"

namespace snapshot_enum {

inline void AddRefItem(IConnectionPoint* p) { p->AddRef(); }
inline void ReleaseItem(IConnectionPoint* p) { p->Release(); }
inline void AddRefItem(const CONNECTDATA& d) { d.pUnk->AddRef(); }
inline void ReleaseItem(const CONNECTDATA& d) { d.pUnk->Release(); }

} // namespace snapshot_enum

template <class Enum, class Item>
class SnapshotEnum final : public ComObject<Enum> {
public:
    // Makes an enumerator over items, adding a reference to each.
    static HRESULT Create(const std::vector<Item>& items, Enum** out)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        try {
            auto held = std::make_shared<Items>();
            held->list.reserve(items.size());
            for (const Item& item : items) {
                snapshot_enum::AddRefItem(item);
                held->list.push_back(item);
            }
            *out = new SnapshotEnum(std::move(held), 0);
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    STDMETHODIMP Next(ULONG count, Item* out, ULONG* fetched) override
    {
        if (fetched)
            *fetched = 0;
        if (!out || (count > 1 && !fetched))
            return E_POINTER;
        ULONG n = 0;
        while (n < count && next_ < items_->list.size()) {
            out[n] = items_->list[next_++];
            snapshot_enum::AddRefItem(out[n]);
            ++n;
        }
        if (fetched)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        size_t left = items_->list.size() - next_;
        if (count > left) {
            next_ = items_->list.size();
            return S_FALSE;
        }
        next_ += count;
        return S_OK;
    }
    STDMETHODIMP Reset() override
    {
        next_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(Enum** out) override
    {
        if (!out)
            return E_POINTER;
        *out = new (std::nothrow) SnapshotEnum(items_, next_);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    // Shared by an enumerator and its clones.
    struct Items {
        std::vector<Item> list;
        ~Items()
        {
            for (const Item& item : list)
                snapshot_enum::ReleaseItem(item);
        }
    };

    SnapshotEnum(std::shared_ptr<Items> items, size_t next) : items_(std::move(items)), next_(next) {}

    std::shared_ptr<Items> items_;
    size_t next_;
};
