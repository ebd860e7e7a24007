#include "foldertree/IdListBytes.h"

#include <cstring>

namespace foldertree {

namespace {
// Items need not be aligned: the count is read byte by byte.
std::size_t ItemSize(const std::uint8_t* item) {
    return static_cast<std::size_t>(item[0]) | static_cast<std::size_t>(item[1]) << 8;
}
}  // namespace

const std::uint8_t* IDListNextItem(const std::uint8_t* list) {
    if (!list) return nullptr;
    const std::size_t size = ItemSize(list);
    if (size == 0) return nullptr;
    const std::uint8_t* next = list + size;
    return ItemSize(next) == 0 ? nullptr : next;
}

std::size_t IDListCount(const std::uint8_t* list) {
    std::size_t count = 0;
    if (!list) return 0;
    for (std::size_t size = ItemSize(list); size != 0; size = ItemSize(list)) {
        ++count;
        list += size;
    }
    return count;
}

std::size_t IDListSize(const std::uint8_t* list) {
    if (!list) return 0;
    std::size_t total = 2;
    for (std::size_t size = ItemSize(list); size != 0; size = ItemSize(list)) {
        total += size;
        list += size;
    }
    return total;
}

std::uint8_t* IDListAlloc(ListAllocator* allocator, std::size_t bytes) {
    if (!allocator) return nullptr;
    auto* block = static_cast<std::uint8_t*>(allocator->Alloc(bytes));
    if (block) std::memset(block, 0, bytes);
    return block;
}

std::uint8_t* IDListConcat(ListAllocator* allocator, const std::uint8_t* first,
                           const std::uint8_t* second) {
    if (!second) return nullptr;
    const std::size_t firstItems = first ? IDListSize(first) - 2 : 0;
    const std::size_t secondSize = IDListSize(second);
    std::uint8_t* list = IDListAlloc(allocator, firstItems + secondSize);
    if (!list) return nullptr;
    if (firstItems) std::memcpy(list, first, firstItems);
    std::memcpy(list + firstItems, second, secondSize);
    return list;
}

std::uint8_t* IDListCopyFirst(ListAllocator* allocator, const std::uint8_t* list) {
    if (!list) return nullptr;
    const std::size_t size = ItemSize(list);
    std::uint8_t* copy = IDListAlloc(allocator, size + 2);  // the zero fill is the terminator
    if (copy && size) std::memcpy(copy, list, size);
    return copy;
}

}  // namespace foldertree
