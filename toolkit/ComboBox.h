#pragma once
// A drop-down list of fixed choices (no typing).
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace toolkit {

class ComboBox : public Control {
public:
    // `bounds` height is the closed box's; the list drops below it to show every item.
    void Create(Window& parent, const Rect& bounds, const std::vector<std::string>& items, int selected);
    int ItemIndex() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    // Changing the choice runs OnChange, as a choice by the user does.
    void SetItemIndex(int index);
    std::string Text() const;
    bool OnCommand(WORD code) override;

    std::function<void()> OnChange;
};

}  // namespace toolkit
