#pragma once
// A status bar along the bottom of a form with one panel spanning it, no size grip.
#include <string>

#include "toolkit/Control.h"

namespace toolkit {

class StatusBar : public Control {
public:
    void Create(Window& parent, int height);
    void SetPanelText(const std::string& text);
    std::string PanelText() const;
};

}  // namespace toolkit
