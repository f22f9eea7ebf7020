#pragma once

#include <cstdint>

#include "grid/CellRange.h"
#include "grid/GridItem.h"

// Notification codes sent by the grid and its editors to the grid's owner.
inline constexpr int NM_CLICK = -2;
inline constexpr int NM_DBLCLK = -3;
inline constexpr int NM_RCLICK = -5;
inline constexpr int GN_SELCHANGING = -100;
inline constexpr int GN_SELCHANGED = -101;
inline constexpr int GN_BEGINLABELEDIT = -105;
inline constexpr int GN_ENDLABELEDIT = -106;
inline constexpr int GN_ENDRESIZE = -108;
inline constexpr int GN_BEGINDRAG = -109;
inline constexpr int GN_ODCACHEHINT = -113;
inline constexpr int GN_GETDISPINFO = -150;

// Common head of every notification. hwndFrom identifies the sender (the grid, or an
// in-place editor) as an opaque pointer.
struct NMHDR {
    void* hwndFrom = nullptr;
    int idFrom = 0;
    int code = 0;
};

struct GRID_NOTIFY {
    NMHDR hdr;
    int iRow = -1;
    int iColumn = -1;
};

struct GRID_DISPINFO {
    NMHDR hdr;
    GRID_ITEM item;
};

struct GRID_CACHEHINT {
    NMHDR hdr;
    CCellRange range;
};

// The grid's owner. pNotify points at a GRID_NOTIFY, GRID_DISPINFO or GRID_CACHEHINT,
// chosen by pNotify->code. A negative answer to GN_BEGINLABELEDIT or GN_ENDLABELEDIT
// refuses the edit or its result; GN_GETDISPINFO is answered by filling the record.
class IGridNotifyTarget {
public:
    virtual ~IGridNotifyTarget() = default;
    virtual std::intptr_t OnGridNotify(int idFrom, NMHDR* pNotify) = 0;
    // The command that follows every left-button release over a cell, after the
    // release has been handled (it arrives later, from the window's event queue).
    virtual void OnGridCommand(int /*idFrom*/) {}
};

// Virtual-mode supplier of cell contents: fills pDispInfo->item; lParam is the value
// given to SetCallbackFunc.
using GRIDCALLBACK = bool (*)(GRID_DISPINFO* pDispInfo, std::intptr_t lParam);
