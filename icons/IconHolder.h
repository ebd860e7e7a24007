#pragma once
// Owns one icon handle: the next one given releases the previous, and the holder releases the last.
#include <windows.h>

namespace icons {

class IconHolder {
public:
    IconHolder() = default;
    explicit IconHolder(HICON icon) : icon_(icon) {}
    ~IconHolder() { Release(); }
    IconHolder(const IconHolder&) = delete;
    IconHolder& operator=(const IconHolder&) = delete;
    IconHolder(IconHolder&& other) noexcept : icon_(other.icon_) { other.icon_ = nullptr; }
    IconHolder& operator=(IconHolder&& other) noexcept {
        if (this != &other) {
            Assign(other.icon_);
            other.icon_ = nullptr;
        }
        return *this;
    }

    void Assign(HICON icon) {
        if (icon == icon_) return;
        Release();
        icon_ = icon;
    }
    HICON Handle() const { return icon_; }

private:
    void Release() {
        if (icon_) DestroyIcon(icon_);
        icon_ = nullptr;
    }

    HICON icon_ = nullptr;
};

}  // namespace icons
