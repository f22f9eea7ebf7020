#pragma once

#include <string>

#include "platform/ColorRef.h"

// How the Table page compares a drive value with a file value: byte for byte (the page's
// own rule), or as numbers the way the update decides that a value has arrived.
enum class ECompare {
    kText,
    kNumeric,
};

// Whether the update steps a value of this text: it begins with a digit or '-'. Anything
// after the number (a unit, a blank) is ignored when it is parsed, so "4.20 A" is 4.2.
bool IsSteppableNumber(const std::string& strText);

// Equal texts are equal under both compares. As numbers, two values the update can step
// are equal when their exact decimals are ("3" and "3.00", "4.20 A" and "4.2 A"); the
// unit is not compared, as the update does not compare it either.
bool ValuesEqual(const std::string& strDrive, const std::string& strFile, ECompare eCompare);

// A row's file value differs from its drive value: it has a file value, and the drive
// value is missing or not equal to it.
bool RowDiffers(const std::string& strDrive, const std::string& strFile, ECompare eCompare);

// The colour of a row's "From DC Drive" cell once file values are shown: white without a
// file value or when equal, red when the drive has no value, yellow when they differ.
COLORREF DriveCellColour(const std::string& strDrive, const std::string& strFile, ECompare eCompare);
