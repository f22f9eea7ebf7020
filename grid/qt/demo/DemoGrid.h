#pragma once

class CGridCtrl;

// The demo's table: two header rows (a merged "Operator input" block over "Choice" and
// "Notes", the other headings spanning both rows), a fixed "Parameter" column naming
// the rows "P1" to "Pn", sample values sorted ascending with the arrow shown, a
// selected range and a focus cell. Values, units and notes are edited in place, the
// choices picked from "No" and "Yes"; a note too long for its column shows whole in a
// title tip. The grid must already be attached to its window.
void FillDemoGrid(CGridCtrl& grid, int nDataRows);
