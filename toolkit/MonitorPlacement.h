#pragma once
// Saved window places against the monitors there are now: a window that would open where no
// monitor shows it (a second monitor unplugged, a smaller screen) is brought onto the nearest one.
#include <windows.h>

namespace toolkit {

// `window` as it is when it shares a pixel with the work area of some monitor; otherwise moved,
// keeping its size, the shortest way into the work area of the nearest monitor (its left and top
// edges inside where it is larger than that).
RECT PlaceOnAMonitor(const RECT& window);

}  // namespace toolkit
