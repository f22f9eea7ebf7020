#include "table/ParamFile.h"

std::vector<std::string> SplitParamLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool bLast = end == std::string_view::npos;
        if (bLast)
            end = bytes.size();
        std::size_t lineEnd = end;
        if (!bLast && lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        lines.emplace_back(bytes.substr(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

SParamLine ParseParamLine(const std::string& strLine) {
    SParamLine line;
    const std::size_t firstTab = strLine.find('\t');
    if (firstTab == std::string::npos)
        return line;
    line.strName = strLine.substr(0, firstTab);
    line.strValue = strLine.substr(firstTab + 1);
    const std::size_t secondTab = line.strValue.find('\t');
    if (secondTab != std::string::npos) {
        line.strFlag = line.strValue.substr(secondTab + 1);
        line.strValue.resize(secondTab);
    }
    return line;
}

std::vector<SParamLine> ParseParamFile(std::string_view bytes) {
    std::vector<SParamLine> lines;
    for (const std::string& text : SplitParamLines(bytes))
        lines.push_back(ParseParamLine(text));
    return lines;
}

std::string FormatParamLine(const std::string& strName, const std::string& strValue,
                            const std::string& strFlag) {
    return strName + '\t' + strValue + '\t' + strFlag + "\r\n";
}
