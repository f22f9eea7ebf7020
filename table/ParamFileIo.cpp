#include "platform/WholeFile.h"
#include "table/ParamFile.h"

int ReadParamFile(const std::string& strPath, std::string& content) {
    return ReadWholeFile(strPath, content);
}

int WriteParamFile(const std::string& strPath, const std::string& content, ParamFileWriteFn write) {
    return WriteFileReplacing(strPath, content, write);
}
