#pragma once
// One counted reference to a COM object, released when the holder goes. Copies add a reference;
// moves hand it on. Interfaces that the shell returns through an out parameter are adopted with
// Put(), so no caller ever calls Release itself.
#include <unknwn.h>

#include <utility>

namespace foldertree {

template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    static ComRef Adopt(T* object) {
        ComRef ref;
        ref.object_ = object;
        return ref;
    }
    // Adds a reference of its own.
    static ComRef Share(T* object) {
        if (object) object->AddRef();
        return Adopt(object);
    }
    ComRef(const ComRef& other) : object_(other.object_) {
        if (object_) object_->AddRef();
    }
    ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~ComRef() { Reset(); }

    void Reset() {
        if (T* object = std::exchange(object_, nullptr)) object->Release();
    }
    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // The slot for an out parameter; what was held before is released first.
    T** Put() {
        Reset();
        return &object_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // Another interface of the same object, or an empty reference.
    template <class U>
    ComRef<U> Query(REFIID iid) const {
        ComRef<U> other;
        if (object_) object_->QueryInterface(iid, other.PutVoid());
        return other;
    }

private:
    T* object_ = nullptr;
};

}  // namespace foldertree
