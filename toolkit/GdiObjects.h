#pragma once
// Owners for the graphics handles the program uses: drawing contexts, GDI objects, an object
// selected into a context, and the two images behind an icon. Each releases its handle exactly
// once; none can be copied, the object owners can be moved.
#include <windows.h>

#include <string>
#include <utility>

#include "toolkit/Exceptions.h"

namespace toolkit {

// Runs one graphics call with the error code cleared first. Graphics calls need not set the code
// when they fail (Wine's never do): without this a failure would be reported with whatever error an
// earlier call left, such as a file probe's "file not found".
template <typename Call>
auto GdiCall(Call&& call) {
    SetLastError(ERROR_SUCCESS);
    return call();
}

// Raises the error of a failed graphics call (made through GdiCall): the system's text for the last
// error, or "システム リソースが足りません" when the call set none.
[[noreturn]] inline void RaiseLastGdiError() {
    const DWORD code = GetLastError();
    if (code != 0) {
        char* text = nullptr;
        const DWORD length = FormatMessageA(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
        std::string message(text ? text : "", length);
        if (text) LocalFree(text);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
            message.pop_back();
        if (!message.empty()) throw Exception(message);
    }
    throw EOutOfResources();
}

// Owns a GDI object (bitmap, brush, pen, font, region) and deletes it.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;

// The screen's drawing context, borrowed for as long as this lives.
class ScreenDC {
public:
    ScreenDC() : dc_(GdiCall([] { return GetDC(nullptr); })) {
        if (!dc_) RaiseLastGdiError();
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A memory drawing context compatible with `reference` (the screen when null).
class MemoryDC {
public:
    explicit MemoryDC(HDC reference = nullptr) : dc_(GdiCall([reference] { return CreateCompatibleDC(reference); })) {
        if (!dc_) RaiseLastGdiError();
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() { DeleteDC(dc_); }

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a drawing context and puts the previous one back on destruction, so the
// object is free again (a bitmap can be converted or deleted only when no context holds it).
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(GdiCall([dc, object] { return SelectObject(dc, object); })) {
        if (!previous_ || previous_ == HGDI_ERROR) RaiseLastGdiError();
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The colour image and the mask of an icon (copies made by GetIconInfo), deleted together.
class IconBitmaps {
public:
    // Empty when the icon's images cannot be obtained.
    explicit IconBitmaps(HICON icon) {
        ICONINFO info{};
        if (icon && GetIconInfo(icon, &info)) {
            colour_.Reset(info.hbmColor);
            mask_.Reset(info.hbmMask);
        }
    }

    HBITMAP Colour() const { return colour_.Get(); }  // null for a monochrome icon
    HBITMAP Mask() const { return mask_.Get(); }

private:
    Bitmap colour_;
    Bitmap mask_;
};

}  // namespace toolkit
