#pragma once
// A right-click menu of plain items, each running its handler.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace toolkit {

class PopupMenu {
public:
    PopupMenu() = default;
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    void AddItem(const std::string& caption, std::function<void()> onClick);
    void AddSeparator();
    // The caption of the item added index-th (from 0; separators not counted).
    void SetItemCaption(int index, const std::string& caption);
    // Shows the menu at screen position (x, y) and runs the chosen item's handler.
    void Popup(HWND owner, int x, int y);

private:
    HMENU menu_ = nullptr;
    std::vector<std::function<void()>> handlers_;
};

}  // namespace toolkit
