#pragma once

#include <string>

#include "platform/ColorRef.h"
#include "table/TablesView.h"

class CTables;

inline constexpr COLORREF kOutcomeGreen = RGB(144, 238, 144);
inline constexpr COLORREF kOutcomeOrange = RGB(255, 165, 0);

// The outcome's words, as the report and the cell's tip give them: "reached", "already
// equal", "gave up after ten repeats", "gave up between two steps", "not reached when the
// procedure ended", "not found on the drive", "not a number"; empty for kNone.
const char* UpdateOutcomeWords(EUpdateOutcome eOutcome);

// The "Update from File" cell's background: green when the value arrived (or was there),
// orange when the update gave it up or ended first, red when it could not try; the
// grid's default colour for kNone.
COLORREF OutcomeColour(EUpdateOutcome eOutcome);

// The report of the last update, the same for `tovamo-cli update --report` and the page's
// "Save Report...": a header line, then one line per row marked when the update started,
// in table order: name, drive value before, file value, drive value after, outcome,
// TAB-separated with LF line ends. The texts are the table's Windows-1252 bytes.
std::string UpdateReportText(const CTables& tables);
