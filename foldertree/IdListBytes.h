#pragma once
// Item-ID lists as bytes: a list is a run of items, each a 16-bit little-endian byte count (which
// counts its own two bytes) followed by opaque bytes; a zero count ends the list, so the list of
// the terminator alone (the desktop) is two bytes. Only the allocator a caller passes touches the
// platform, so this is built and tested without the shell as well.
#include <cstddef>
#include <cstdint>

namespace foldertree {

// Where new lists come from (the shell's task allocator in the program).
class ListAllocator {
public:
    virtual ~ListAllocator() = default;
    virtual void* Alloc(std::size_t bytes) = 0;  // nullptr when there is no memory
    virtual void Free(void* block) = 0;
};

// The second item of `list`, pointing into the same list; nullptr when the first item is the
// terminator or the second position holds it (and for a null list).
const std::uint8_t* IDListNextItem(const std::uint8_t* list);
// Items before the terminator; 0 for a null list.
std::size_t IDListCount(const std::uint8_t* list);
// Bytes of every item plus the terminator's two; 0 for a null list.
std::size_t IDListSize(const std::uint8_t* list);

// `bytes` zeroed bytes from `allocator`; nullptr without an allocator or memory.
std::uint8_t* IDListAlloc(ListAllocator* allocator, std::size_t bytes);
// A new list: the items of `first` (none when null) followed by all of `second`, terminator
// included. nullptr when `second` is null or the allocation fails.
std::uint8_t* IDListConcat(ListAllocator* allocator, const std::uint8_t* first,
                           const std::uint8_t* second);
// A new single-item list holding the first item of `list` (the empty list for the empty list);
// nullptr for a null list or when the allocation fails.
std::uint8_t* IDListCopyFirst(ListAllocator* allocator, const std::uint8_t* list);

}  // namespace foldertree
