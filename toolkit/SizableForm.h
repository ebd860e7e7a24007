#pragma once
// A form the user can resize (and maximize), never below the size it was created with; its
// controls are placed again by FormResize whenever its client area changes.
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
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    SIZE minimum_{};
};

}  // namespace toolkit
