#pragma once

#include "link/Hardware.h"

#include <QFont>

#include <optional>

// The one serial port object; it lives from before start-up to process end.
extern CHardware g_Hardware;
// n of the port named COMn, counted from 1; 0 when Connect found nothing selected.
extern int g_nNumCom;
// The Edit page's bold font, made at start-up (a font needs the application object).
extern std::optional<QFont> g_BoldFont;

// Bold, 18 pixels of character cell height (internal leading included), in
// "MS Sans Serif" where it is installed, else the platform's sans-serif face.
QFont MakeBoldFont();
