#include "foldertree/ItemIdList.h"

namespace foldertree {

void ItemIdList::Reset(LPITEMIDLIST list) {
    if (list_) CoTaskMemFree(list_);  // the task allocator's Free
    list_ = list;
}

TaskAllocator::TaskAllocator() { SHGetMalloc(malloc_.Put()); }

void* TaskAllocator::Alloc(std::size_t bytes) { return malloc_ ? malloc_->Alloc(bytes) : nullptr; }

void TaskAllocator::Free(void* block) {
    if (malloc_) malloc_->Free(block);
}

namespace {
ItemIdList Own(std::uint8_t* bytes) { return ItemIdList(reinterpret_cast<LPITEMIDLIST>(bytes)); }
}  // namespace

ItemIdList CopyFirstItem(LPCITEMIDLIST list) {
    TaskAllocator allocator;
    return Own(IDListCopyFirst(allocator.Available() ? &allocator : nullptr, Bytes(list)));
}

ItemIdList ConcatLists(LPCITEMIDLIST first, LPCITEMIDLIST second) {
    TaskAllocator allocator;
    return Own(IDListConcat(allocator.Available() ? &allocator : nullptr, Bytes(first), Bytes(second)));
}

}  // namespace foldertree
