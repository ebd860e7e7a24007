#pragma once
// A group box without caption: an etched frame in the form's colour around the controls it holds.
#include "toolkit/Panel.h"

namespace toolkit {

class GroupBox : public Panel {
protected:
    void PaintFrame(HDC dc, RECT r) override;
};

}  // namespace toolkit
