#include "toolkit/ModalTestHook.h"

#include <deque>

namespace toolkit {

namespace {
std::deque<ModalTestHook::Handler>& Handlers() {
    static std::deque<ModalTestHook::Handler> handlers;
    return handlers;
}
HWND g_knownWindow = nullptr;

HWND FindModalWindow() {
    if (g_knownWindow && IsWindowVisible(g_knownWindow)) return g_knownWindow;
    if (HWND menu = FindWindowA("#32768", nullptr); menu && IsWindowVisible(menu)) return menu;
    return GetActiveWindow();
}

// A thread timer is dispatched by every modal loop, including the platform's own.
void CALLBACK RunHandler(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (Handlers().empty()) return;
    auto handler = std::move(Handlers().front());
    Handlers().pop_front();
    handler(FindModalWindow());
}
}  // namespace

void ModalTestHook::OnNextModal(Handler handler) { Handlers().push_back(std::move(handler)); }

bool ModalTestHook::Pending() { return !Handlers().empty(); }

void ModalTestHook::Clear() { Handlers().clear(); }

void ModalTestHook::ModalStarting(HWND window) {
    if (Handlers().empty()) return;
    g_knownWindow = window;
    SetTimer(nullptr, 0, 50, &RunHandler);
}

}  // namespace toolkit
