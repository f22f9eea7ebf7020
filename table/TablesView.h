#pragma once

// What the Table page shows besides the grid, as data: the three buttons that are
// enabled and disabled by the end-of-procedure refresh. "Read DC Drive", "Read File" and
// "Clear Table" are always enabled.
struct STablesButtons {
    bool bDriveToFile = false;    // "DC Drive To File"
    bool bUpdateDrive = false;    // "Update DC Drive"
    bool bFileToNewFile = false;  // "File To New File"

    bool operator==(const STablesButtons&) const = default;
};

// How a drive procedure ended.
enum class ETablesEnd {
    kCompleted,  // the top level of the menu wrapped around
    kWatchdog,   // no record for more than 1300 ms
    kOverflow,   // nesting deeper than ten levels ("Overflov Levels")
    kStopped,    // ended by the user: "Clear Table", "Read File", an edit, another start
    kNoWrap,     // a menu level did not come back to its first item within its bound
};

// Why the update left a parameter short of its file value.
enum class EValueGiveUp {
    kNone,
    kRepeats,  // the drive showed the same value ten times in a row (a limit, read-only)
    kTrips,    // the value went past the target, or round the end of its range, ten times
};

// How the last update went for one row marked "Yes" when it started.
enum class EUpdateOutcome {
    kNone,             // not marked, or no update since the table was last read or cleared
    kReached,          // the drive now shows the file's value
    kAlreadyEqual,     // the drive showed it before the update
    kGaveUpRepeats,    // the drive showed the same value ten times in a row
    kGaveUpTrips,      // the value went past the target ten times (it lies between two steps)
    kNotReachedAtEnd,  // the update ended (stopped, watchdog) before the value arrived
    kNotFound,         // the update walked the whole menu without meeting the parameter
    kNotANumber,       // the drive value or the file value is not a number the update steps
};

// The page around CTables: the desktop page updates its buttons and repaints; the
// command-line tool watches for the end of a procedure. Called on the thread that
// drives CTables.
class ITablesView {
public:
    virtual ~ITablesView() = default;
    virtual void OnButtonsChanged(const STablesButtons& /*buttons*/) {}
    // The grid's window is to be repainted at once (invalidate, erase, update now).
    virtual void OnGridRedraw() {}
    // A running procedure has ended; called once per procedure, after the refresh.
    virtual void OnProcedureEnded(ETablesEnd /*how*/) {}
};
