#pragma once

#include <string>

class CTables;

// Status-line texts that the desktop page and the Windows page share (ASCII; names are
// not part of them).

// The rows marked when the last update started, and how many of them now show their
// file value (reached, or already equal before the update).
struct SMarkedCounts {
    int nReached = 0;
    int nMarked = 0;
};
SMarkedCounts CountMarkedOutcomes(const CTables& tables);

// After "Stop": "Update stopped: 3 of 5 marked parameters reached" or "Read stopped: N
// parameters" (the parameters this read wrote a value into).
std::string StoppedStatusText(const CTables& tables, bool bWasUpdate);

// After the read that verifies an update (OnVerifyDrive): "Update complete: 4 of 5
// reached; verified: 4 now equal the file", where the verified ones are the marked rows
// whose drive value, as read again, equals the file value as a number.
std::string VerifiedStatusText(const CTables& tables);

// After "Mark Differing": "Mark Differing: N parameters marked" ("1 parameter").
std::string MarkedStatusText(int nMarked);
