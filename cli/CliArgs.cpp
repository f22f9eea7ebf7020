#include "cli/CliArgs.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

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

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path a write to `path` lands on, existing or not: symbolic links followed (a
// dangling one too, since writing through it creates its target), then the folder made
// absolute and free of links, ".", ".." and doubled slashes. A folder that cannot be
// resolved is kept as written, so such a path still equals itself.
std::string ResolvedFileName(std::string path) {
    constexpr int kMostLinks = 40;  // as the system's own limit on a chain of links
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
        if (length <= 0)
            break;
        const std::string link(target, static_cast<std::size_t>(length));
        path = link[0] == '/' ? link : FolderOf(path) + "/" + link;
    }
    std::string name = NameOf(path);
    std::string folder = FolderOf(path);
    if (name.empty() || name == "." || name == "..") {
        folder = path;
        name.clear();
    }
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved) != nullptr)
        folder = resolved;
    return name.empty() ? folder : folder + "/" + name;
}

}  // namespace

bool IsSameFile(const std::string& strFirst, const std::string& strSecond) {
    struct stat first {};
    struct stat second {};
    if (::stat(strFirst.c_str(), &first) == 0 && ::stat(strSecond.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return ResolvedFileName(strFirst) == ResolvedFileName(strSecond);
}
