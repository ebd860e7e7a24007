#pragma once
// A spy on the task allocator (registered with CoRegisterMallocSpy): which blocks it handed out
// while registered, and which of them came back.
#include <objidl.h>

#include <mutex>
#include <set>

namespace testsupport {

// Records the blocks the task allocator hands out while registered, and which come back.
class AllocationSpy : public IMallocSpy {
public:
    std::size_t Allocations() const { return allocations_; }
    std::size_t Outstanding() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return live_.size();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T bytes) override { return bytes; }
    void* STDMETHODCALLTYPE PostAlloc(void* block) override {
        Track(block);
        return block;
    }
    void* STDMETHODCALLTYPE PreFree(void* block, BOOL) override {
        Untrack(block);
        return block;
    }
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T bytes, void** request, BOOL) override {
        Untrack(block);
        *request = block;
        return bytes;
    }
    void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override {
        Track(block);
        return block;
    }
    void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T bytes, BOOL) override { return bytes; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
    void Track(void* block) {
        if (!block) return;
        std::lock_guard<std::mutex> lock(mutex_);
        live_.insert(block);
        ++allocations_;
    }
    void Untrack(void* block) {
        std::lock_guard<std::mutex> lock(mutex_);
        live_.erase(block);
    }

    mutable std::mutex mutex_;
    std::set<void*> live_;
    std::size_t allocations_ = 0;
};

}  // namespace testsupport
