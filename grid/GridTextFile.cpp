#include "grid/GridTextFile.h"

#include "platform/WholeFile.h"

SGridTextRead ReadGridTextFile(const std::string& strPath) {
    SGridTextRead result;
    bool bOpened = false;
    const int nError = ReadWholeFile(strPath, result.content, &bOpened);
    (bOpened ? result.nReadError : result.nOpenError) = nError;
    return result;
}

int WriteGridTextFile(const std::string& strPath, const std::string& content, GridTextWriteFn write) {
    return WriteFileReplacing(strPath, content, write);
}
