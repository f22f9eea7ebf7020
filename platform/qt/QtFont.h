#pragma once

#include "platform/LogFont.h"

#include <QFont>

// Logical font descriptions to Qt fonts and back. Heights are pixels: a negative
// lfHeight is the character height, a positive one the cell height, which is taken as
// the pixel size too (close enough for the faces in use, and what measuring and
// drawing both see). An empty face or "MS Sans Serif", the dialog face the drive tool's
// layouts name, becomes the application's default family.
QFont FontFromLogFont(const LOGFONT& lf);

// The description of a Qt font, its size in pixels (negative lfHeight).
LOGFONT LogFontFromFont(const QFont& font);
