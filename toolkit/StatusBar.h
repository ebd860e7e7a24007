#pragma once
// A status bar along the bottom of a form with one panel spanning it, no size grip.
#include <string>

#include "toolkit/Control.h"

namespace toolkit {

class StatusBar : public Control {
public:
    // `height` is designed (at 96 DPI).
    void Create(Window& parent, int height);
    void SetPanelText(const std::string& text);
    std::string PanelText() const;
    void ApplyDpi(int previousDpi) override;

private:
    void PlaceAtBottom();
    int height_ = 0;
};

}  // namespace toolkit
