#pragma once
// A form the user can resize (and maximize), never below the size it was created with (at the
// window's DPI); its controls are placed again by FormResize whenever its client area changes,
// and after a change of DPI once the toolkit has put them back at their designed places. A move
// to a monitor of another DPI scales the size the user gave the window, not the designed one.
#include "toolkit/Form.h"

namespace toolkit {

class SizableForm : public Form {
public:
    // The outer size of the window, frame included.
    int Width() const;
    int Height() const;
    void SetSize(int width, int height);

protected:
    // Call once after CreateForm: gives the window a sizing frame.
    void MakeSizable();
    virtual void FormResize() {}
    // Forms that add to it call it first.
    void DpiChanged() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    SIZE ScaledSize(int dpi) const;
};

}  // namespace toolkit
