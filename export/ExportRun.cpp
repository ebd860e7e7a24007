// The export run, started by the export button and by a double click on the strip.
#include "app/PictavoUnit.h"

// The export dialog and the writing of the files come with the export run; until then the
// request is accepted and nothing is written.
void TForm1::PutIcon(int /*first*/, int /*last*/) {}
