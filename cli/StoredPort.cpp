#include "cli/StoredPort.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>

namespace {
constexpr int kDefaultNumCom = 1;

std::string Trim(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

bool ParseInt(const std::string& text, int& value) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || errno != 0 || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}
}  // namespace

int ReadStoredNumCom(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string group;
    int value = kDefaultNumCom;
    for (std::string line; std::getline(in, line);) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            group = line.substr(1, line.size() - 2);
            continue;
        }
        const auto eq = line.find('=');
        if (group == "Setings" && eq != std::string::npos && Trim(line.substr(0, eq)) == "NumCom") {
            if (!ParseInt(Trim(line.substr(eq + 1)), value))
                value = kDefaultNumCom;
        }
    }
    return value;
}
