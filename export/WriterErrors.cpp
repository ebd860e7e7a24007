#include "export/WriterErrors.h"
#include "toolkit/ProgramTexts.h"

namespace iconexport {

EInvalidGraphic EInvalidGraphic::NoIcon() { return EInvalidGraphic(toolkit::Text(toolkit::TextId::ErrorBadIcon)); }

EInvalidGraphic EInvalidGraphic::BadImages() { return EInvalidGraphic(toolkit::Text(toolkit::TextId::ErrorBadBitmap)); }

EWriteError::EWriteError() : toolkit::Exception(toolkit::Text(toolkit::TextId::ErrorStreamWrite)) {}

}  // namespace iconexport
