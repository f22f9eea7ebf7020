#pragma once

#include <string>

// One field of the drive's output, cut and cleaned by the reader thread.
// Both flags 0: a parameter or sub-menu name (text begins with "P" and a digit).
// The record is created by the reader and owned by whoever it was handed to.
class CServoData {
public:
    virtual ~CServoData() = default;

    std::string m_strText;  // bytes as received and cleaned; never decoded here
    int m_bError = 0;       // cut at its 17th byte and begins with "Error"
    int m_bValue = 0;       // cut at its 16th byte: a parameter value
};
