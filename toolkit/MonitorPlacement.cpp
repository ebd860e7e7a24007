#include "toolkit/MonitorPlacement.h"

#include <algorithm>

namespace toolkit {

namespace {

struct WorkAreaSearch {
    RECT window;
    bool touched;
};

BOOL CALLBACK NoteTouchedWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& search = *reinterpret_cast<WorkAreaSearch*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT common{};
    if (GetMonitorInfoA(monitor, &info) && IntersectRect(&common, &search.window, &info.rcWork)) {
        search.touched = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

RECT PlaceOnAMonitor(const RECT& window) {
    WorkAreaSearch search{window, false};
    EnumDisplayMonitors(nullptr, nullptr, NoteTouchedWorkArea, reinterpret_cast<LPARAM>(&search));
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (search.touched || !GetMonitorInfoA(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &info))
        return window;
    const RECT& work = info.rcWork;
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    const LONG left = std::max(work.left, std::min(window.left, work.right - width));
    const LONG top = std::max(work.top, std::min(window.top, work.bottom - height));
    return {left, top, left + width, top + height};
}

}  // namespace toolkit
