#pragma once

#include <string>
#include <vector>

// A command line's words as one text, for naming a table row in a failure message.
inline std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += " " + word;
    return text;
}
