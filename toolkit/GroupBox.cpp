#include "toolkit/GroupBox.h"

#include "toolkit/Form.h"

namespace toolkit {

// The frame starts half a text line down, where a caption would sit on it.
void GroupBox::PaintFrame(HDC dc, RECT r) {
    const Font& font = OwnerForm() ? OwnerForm()->GetFont() : DefaultFormFont();
    r.top = MeasureText(font.Handle(), "0").cy / 2 - 1;
    DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
}

}  // namespace toolkit
