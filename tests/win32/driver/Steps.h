#pragma once

#include <string>
#include <vector>

class CTarget;

// Runs the steps of a scripted drive in order, each written NAME or NAME:ARGUMENT (see
// the usage text in DriverMain.cpp). Every wait ends after timeoutMs. Throws
// CDriveFailure naming the step that failed. Each step done is printed when bPrint.
void RunSteps(CTarget& target, const std::vector<std::wstring>& steps, unsigned timeoutMs,
              bool bPrint = true);

// The usage text of the steps.
extern const char* const kStepsUsage;
