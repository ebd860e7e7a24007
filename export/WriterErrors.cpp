#include "export/WriterErrors.h"

namespace iconexport {

EInvalidGraphic EInvalidGraphic::NoIcon() { return EInvalidGraphic("アイコンイメージが不正です"); }

EInvalidGraphic EInvalidGraphic::BadImages() { return EInvalidGraphic("ビットマップイメージが不正です"); }

EWriteError::EWriteError() : toolkit::Exception("ストリームへの書き込みエラー") {}

}  // namespace iconexport
