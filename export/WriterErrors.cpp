#include "export/WriterErrors.h"
#include "toolkit/ProgramTexts.h"

namespace iconexport {

EInvalidGraphic EInvalidGraphic::NoIcon() { return EInvalidGraphic(toolkit::Text(toolkit::TextId::ErrorBadIcon)); }

EInvalidGraphic EInvalidGraphic::BadImages() { return EInvalidGraphic(toolkit::Text(toolkit::TextId::ErrorBadBitmap)); }

EInvalidGraphic EInvalidGraphic::UnreadableImages() {
    return EInvalidGraphic(toolkit::Text(toolkit::TextId::ErrorUnreadableImages));
}

EWriteError::EWriteError() : toolkit::Exception(toolkit::Text(toolkit::TextId::ErrorStreamWrite)) {}

}  // namespace iconexport
