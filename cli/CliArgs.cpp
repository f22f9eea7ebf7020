#include "cli/CliArgs.h"

namespace {

// "--name=value" or "--name value": the value, or nullopt (with a complaint) when it is
// missing. `at` moves past the value it takes.
std::optional<std::string> ValueOf(const std::vector<std::string>& words, std::size_t& at,
                                   const std::string& name, SCliArgs& args) {
    const std::string& word = words[at];
    std::optional<std::string> value;
    if (word.size() > name.size() && word.compare(0, name.size() + 1, name + "=") == 0)
        value = word.substr(name.size() + 1);
    else if (word == name && at + 1 < words.size())
        value = words[++at];
    if (!value || value->empty()) {
        args.strError = name + " needs a value";
        return std::nullopt;
    }
    return value;
}

bool IsOption(const std::string& word, const std::string& name) {
    return word == name || word.rfind(name + "=", 0) == 0;
}

void TakeWord(const std::string& word, SCliArgs& args) {
    if (args.strCommand.empty())
        args.strCommand = word;
    else
        args.positional.push_back(word);
}

// The switches of diff and update, which take no value.
bool TakeFlag(const std::string& word, SCliArgs& args) {
    bool* flag = word == "--numeric"          ? &args.bNumeric
                 : word == "--dry-run"        ? &args.bDryRun
                 : word == "--mark-differing" ? &args.bMarkDiffering
                 : word == "--no-snapshot"    ? &args.bNoSnapshot
                                              : nullptr;
    if (flag != nullptr)
        *flag = true;
    return flag != nullptr;
}

// One option word (and its value); false after a complaint.
bool TakeOption(const std::vector<std::string>& words, std::size_t& at, SCliArgs& args) {
    const std::string& word = words[at];
    if (word == "--help" || word == "-h") {
        args.bHelp = true;
    } else if (word == "--version") {
        args.bVersion = true;
    } else if (IsOption(word, "--port")) {
        const auto value = ValueOf(words, at, "--port", args);
        args.strPort = value.value_or("");
        args.bPortGiven = true;
        return value.has_value();
    } else if (IsOption(word, "--report")) {
        args.report = ValueOf(words, at, "--report", args);
        return args.report.has_value();
    } else if (TakeFlag(word, args)) {
        return true;
    } else if (word == "-o") {
        if (at + 1 >= words.size()) {
            args.strError = (args.strCommand.empty() ? "" : args.strCommand + ": ") + "-o needs a file name";
            return false;
        }
        args.output = words[++at];
    } else {
        args.strError = "unknown option " + word;
        return false;
    }
    return true;
}

}  // namespace

SCliArgs ParseCliArgs(const std::vector<std::string>& words) {
    SCliArgs args;
    bool bOptionsEnded = false;
    for (std::size_t at = 0; at < words.size(); ++at) {
        const std::string& word = words[at];
        if (bOptionsEnded || word == "-" || word.empty() || word[0] != '-')
            TakeWord(word, args);
        else if (word == "--")
            bOptionsEnded = true;
        else if (!TakeOption(words, at, args))
            return args;
    }
    return args;
}
