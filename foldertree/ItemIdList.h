#pragma once
// An item-ID list owned by its holder: allocated by the shell's task allocator and freed through
// it when the holder goes. Plus the byte-level list operations in the shell's types.
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <utility>

#include "foldertree/ComRef.h"
#include "foldertree/IdListBytes.h"

namespace foldertree {

class ItemIdList {
public:
    ItemIdList() = default;
    // Takes over a list from the task allocator.
    explicit ItemIdList(LPITEMIDLIST list) : list_(list) {}
    ItemIdList(ItemIdList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    ItemIdList& operator=(ItemIdList&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.list_, nullptr));
        return *this;
    }
    ItemIdList(const ItemIdList&) = delete;
    ItemIdList& operator=(const ItemIdList&) = delete;
    ~ItemIdList() { Reset(); }

    LPITEMIDLIST Get() const { return list_; }
    explicit operator bool() const { return list_ != nullptr; }
    // The slot for an out parameter of the shell; what was held before is freed first.
    LPITEMIDLIST* Put() {
        Reset();
        return &list_;
    }
    void Reset(LPITEMIDLIST list = nullptr);

private:
    LPITEMIDLIST list_ = nullptr;
};

// The shell's task allocator (SHGetMalloc) as the byte-level operations' allocator.
class TaskAllocator : public ListAllocator {
public:
    TaskAllocator();
    bool Available() const { return static_cast<bool>(malloc_); }
    void* Alloc(std::size_t bytes) override;
    void Free(void* block) override;

private:
    ComRef<IMalloc> malloc_;
};

inline const std::uint8_t* Bytes(LPCITEMIDLIST list) {
    return reinterpret_cast<const std::uint8_t*>(list);
}
inline LPCITEMIDLIST NextItem(LPCITEMIDLIST list) {
    return reinterpret_cast<LPCITEMIDLIST>(IDListNextItem(Bytes(list)));
}
inline std::size_t ItemCount(LPCITEMIDLIST list) { return IDListCount(Bytes(list)); }

// New lists from the task allocator (empty holders when it fails).
ItemIdList CopyFirstItem(LPCITEMIDLIST list);
ItemIdList ConcatLists(LPCITEMIDLIST first, LPCITEMIDLIST second);
inline ItemIdList CopyList(LPCITEMIDLIST list) { return ConcatLists(nullptr, list); }

}  // namespace foldertree
