#pragma once
// A group box without caption: an etched frame in the form's colour around the controls it holds.
#include "toolkit/Control.h"

namespace toolkit {

class GroupBox : public Control {
public:
    void Create(Window& parent, const Rect& bounds);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace toolkit
