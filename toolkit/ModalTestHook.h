#pragma once
// Lets a test answer a modal wait (a modal form, a message box, a popup menu) without a person:
// "when the next modal window opens, run this". The handler runs inside the modal loop, once the
// window is up, and receives the window (the menu window for a popup menu).
#include <windows.h>

#include <functional>

namespace toolkit {

class ModalTestHook {
public:
    using Handler = std::function<void(HWND modalWindow)>;

    // Queues a handler for the next modal window to open.
    static void OnNextModal(Handler handler);
    static bool Pending();
    static void Clear();

    // Called by every modal wait of the toolkit as it starts; `window` may be nullptr when the
    // platform creates the window itself (message boxes, menus).
    static void ModalStarting(HWND window);
};

}  // namespace toolkit
