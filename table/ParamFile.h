#pragma once

#include "platform/WholeFile.h"

#include <string>
#include <string_view>
#include <vector>

// The parameter file: plain 8-bit text, one line per table row, three fields separated
// by one TAB (name, value, update flag), CR LF written, LF or CR LF read, no header.
// Fields are written exactly as the table holds them; nothing is quoted or trimmed.

struct SParamLine {
    std::string strName;
    std::string strValue;
    std::string strFlag = "No";
};

// The lines of a file's bytes: a line ends at LF, one CR before the LF belongs to the
// line end; a last line without a line end is a line too.
std::vector<std::string> SplitParamLines(std::string_view bytes);

// Name up to the first TAB, value up to the next TAB, flag the rest (further TABs
// included). A line without any TAB gives an empty name and value and the flag "No".
SParamLine ParseParamLine(const std::string& strLine);

std::vector<SParamLine> ParseParamFile(std::string_view bytes);

std::string FormatParamLine(const std::string& strName, const std::string& strValue,
                            const std::string& strFlag);

// The whole file into `content`. Returns 0 or the errno of the failed open or read.
int ReadParamFile(const std::string& strPath, std::string& content);

// Low-level write used by WriteParamFile; replaceable so that tests can make it fail.
using ParamFileWriteFn = FileWriteFn;

// Writes `content` as the file at strPath. Returns 0 or the errno of the failure.
// A regular file (existing or new) is replaced only once the new content is complete on
// disk: it is written to a temporary file in the same folder, synced and renamed over
// the target, which keeps its permissions; on failure the old file stays as it was and
// the temporary file is removed. Other existing targets (devices, pipes) are written
// directly. An existing file that may not be written is refused with EACCES.
int WriteParamFile(const std::string& strPath, const std::string& content, ParamFileWriteFn write = nullptr);
