#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "foldertree/IdListBytes.h"

using namespace foldertree;

namespace {

// Counts what it hands out and refuses on request, like an allocator that has run dry.
class CountingAllocator : public ListAllocator {
public:
    ~CountingAllocator() override { EXPECT_TRUE(live_.empty()) << "blocks not freed"; }
    void* Alloc(std::size_t bytes) override {
        if (refuse) return nullptr;
        void* block = std::malloc(bytes ? bytes : 1);
        std::memset(block, 0xCD, bytes);  // the list must zero what it uses
        live_.insert(block);
        return block;
    }
    void Free(void* block) override {
        EXPECT_EQ(live_.erase(block), 1u) << "freed a block this allocator did not give";
        std::free(block);
    }
    bool refuse = false;

private:
    std::set<void*> live_;
};

// Builds a list from item payload sizes: each item is its count and `size` bytes of `fill`.
std::vector<std::uint8_t> MakeList(std::initializer_list<std::pair<std::size_t, std::uint8_t>> items) {
    std::vector<std::uint8_t> bytes;
    for (auto [size, fill] : items) {
        const std::size_t cb = size + 2;
        bytes.push_back(static_cast<std::uint8_t>(cb & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(cb >> 8));
        bytes.insert(bytes.end(), size, fill);
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

}  // namespace

TEST(IdListBytes, CountAndSizeOfNoneEmptyAndLongerLists) {
    EXPECT_EQ(IDListCount(nullptr), 0u);
    EXPECT_EQ(IDListSize(nullptr), 0u);
    const auto empty = MakeList({});
    EXPECT_EQ(IDListCount(empty.data()), 0u);
    EXPECT_EQ(IDListSize(empty.data()), 2u);
    // An item of 300 payload bytes: its count needs the high byte.
    const auto three = MakeList({{3, 0xA1}, {300, 0xB2}, {0, 0}});
    EXPECT_EQ(IDListCount(three.data()), 3u);
    EXPECT_EQ(IDListSize(three.data()), three.size());
}

TEST(IdListBytes, NextItemStopsAtTheTerminator) {
    const auto one = MakeList({{4, 1}});
    EXPECT_EQ(IDListNextItem(one.data()), nullptr);
    const auto empty = MakeList({});
    EXPECT_EQ(IDListNextItem(empty.data()), nullptr);
    const auto two = MakeList({{4, 1}, {1, 2}});
    const std::uint8_t* second = IDListNextItem(two.data());
    ASSERT_EQ(second, two.data() + 6);
    EXPECT_EQ(second[2], 2);
    EXPECT_EQ(IDListNextItem(second), nullptr);
}

TEST(IdListBytes, AllocZeroesAndFailsWithoutAllocatorOrMemory) {
    CountingAllocator allocator;
    std::uint8_t* block = IDListAlloc(&allocator, 7);
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(block[i], 0) << i;
    allocator.Free(block);
    EXPECT_EQ(IDListAlloc(nullptr, 7), nullptr);
    allocator.refuse = true;
    EXPECT_EQ(IDListAlloc(&allocator, 7), nullptr);
}

TEST(IdListBytes, CopyFirstMakesATerminatedSingleItemList) {
    CountingAllocator allocator;
    const auto three = MakeList({{5, 0x11}, {2, 0x22}, {9, 0x33}});
    std::uint8_t* copy = IDListCopyFirst(&allocator, three.data());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(IDListSize(copy), 7u + 2u);
    EXPECT_EQ(IDListCount(copy), 1u);
    EXPECT_EQ(std::vector<std::uint8_t>(copy, copy + 7), std::vector<std::uint8_t>(three.begin(), three.begin() + 7));
    EXPECT_EQ(copy[7], 0);
    EXPECT_EQ(copy[8], 0);
    allocator.Free(copy);

    const auto empty = MakeList({});
    std::uint8_t* emptyCopy = IDListCopyFirst(&allocator, empty.data());
    ASSERT_NE(emptyCopy, nullptr);
    EXPECT_EQ(IDListSize(emptyCopy), 2u);
    allocator.Free(emptyCopy);

    EXPECT_EQ(IDListCopyFirst(&allocator, nullptr), nullptr);
    allocator.refuse = true;
    EXPECT_EQ(IDListCopyFirst(&allocator, three.data()), nullptr);
}

TEST(IdListBytes, ConcatJoinsItemsWithOneTerminator) {
    CountingAllocator allocator;
    const auto a = MakeList({{3, 0xAA}, {1, 0xAB}});
    const auto b = MakeList({{2, 0xBB}});
    std::uint8_t* joined = IDListConcat(&allocator, a.data(), b.data());
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(IDListSize(joined), a.size() + b.size() - 2);
    EXPECT_EQ(IDListCount(joined), 3u);
    std::vector<std::uint8_t> expected(a.begin(), a.end() - 2);
    expected.insert(expected.end(), b.begin(), b.end());
    EXPECT_EQ(std::vector<std::uint8_t>(joined, joined + expected.size()), expected);
    allocator.Free(joined);

    // None first: a copy of the second, byte for byte; the empty list first adds nothing.
    const auto empty = MakeList({});
    for (const std::uint8_t* first : {static_cast<const std::uint8_t*>(nullptr), empty.data()}) {
        std::uint8_t* copy = IDListConcat(&allocator, first, b.data());
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(std::vector<std::uint8_t>(copy, copy + b.size()), b);
        allocator.Free(copy);
    }
    EXPECT_EQ(IDListConcat(&allocator, a.data(), nullptr), nullptr);
    allocator.refuse = true;
    EXPECT_EQ(IDListConcat(&allocator, a.data(), b.data()), nullptr);
}
