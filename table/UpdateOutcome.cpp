#include "table/UpdateOutcome.h"

#include "grid/GridCtrl.h"
#include "table/TableRows.h"
#include "table/Tables.h"

const char* UpdateOutcomeWords(EUpdateOutcome eOutcome) {
    switch (eOutcome) {
        case EUpdateOutcome::kNone:
            break;
        case EUpdateOutcome::kReached:
            return "reached";
        case EUpdateOutcome::kAlreadyEqual:
            return "already equal";
        case EUpdateOutcome::kGaveUpRepeats:
            return "gave up after ten repeats";
        case EUpdateOutcome::kGaveUpTrips:
            return "gave up between two steps";
        case EUpdateOutcome::kNotReachedAtEnd:
            return "not reached when the procedure ended";
        case EUpdateOutcome::kNotFound:
            return "not found on the drive";
        case EUpdateOutcome::kNotANumber:
            return "not a number";
    }
    return "";
}

COLORREF OutcomeColour(EUpdateOutcome eOutcome) {
    switch (eOutcome) {
        case EUpdateOutcome::kNone:
            break;
        case EUpdateOutcome::kReached:
        case EUpdateOutcome::kAlreadyEqual:
            return kOutcomeGreen;
        case EUpdateOutcome::kGaveUpRepeats:
        case EUpdateOutcome::kGaveUpTrips:
        case EUpdateOutcome::kNotReachedAtEnd:
            return kOutcomeOrange;
        case EUpdateOutcome::kNotFound:
        case EUpdateOutcome::kNotANumber:
            return kTableRed;
    }
    return CLR_DEFAULT;
}

std::string UpdateReportText(const CTables& tables) {
    const CGridCtrl& grid = tables.GetGrid();
    std::string text = "name\tdrive before\tfile\tdrive after\toutcome\n";
    for (int nRow = 1; nRow < grid.GetRowCount(); ++nRow) {
        const EUpdateOutcome eOutcome = tables.GetOutcome(nRow);
        if (eOutcome == EUpdateOutcome::kNone)
            continue;
        text += grid.GetItemText(nRow, kColName) + "\t" + tables.GetValueBefore(nRow) + "\t" +
                grid.GetItemText(nRow, kColFile) + "\t" + grid.GetItemText(nRow, kColDrive) + "\t" +
                UpdateOutcomeWords(eOutcome) + "\n";
    }
    return text;
}
