// Draws one picture of the table by its kind.
#pragma once

#include "tools/artgen/Canvas.h"
#include "tools/artgen/PictureTable.h"

namespace artgen {

// A canvas of the picture's size with the picture drawn on it. The result
// depends only on the picture's row, so equal rows give equal bytes.
Canvas DrawPicture(const Picture& picture, TextPainter& text);

// Two pictures that would draw the same pixels (a sheet stores them once).
bool SameDrawing(const Picture& a, const Picture& b);

}  // namespace artgen
