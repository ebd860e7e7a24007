#pragma once
// A panel with a double bevel (raised inside, lowered outside) in the form's colour, holding
// other controls.
#include "toolkit/Control.h"

namespace toolkit {

class Panel : public Control {
public:
    void Create(Window& parent, const Rect& bounds);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the frame inside the client rectangle `r`.
    virtual void PaintFrame(HDC dc, RECT r);
};

}  // namespace toolkit
