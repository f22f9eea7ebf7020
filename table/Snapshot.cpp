#include "table/Snapshot.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "table/FileError.h"
#include "table/ParamFile.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kSuffix = "-before-update";
constexpr std::size_t kStampLength = 15;  // YYYYMMDD-HHMMSS

// Paths are UTF-8 everywhere in the program; std::filesystem would take a narrow string
// in the system's code page on Windows.
fs::path PathOf(const std::string& strUtf8) {
    return fs::path(std::u8string(strUtf8.begin(), strUtf8.end()));
}
std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool AllDigits(const std::string& str, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) {
        if (i >= str.size() || str[i] < '0' || str[i] > '9')
            return false;
    }
    return true;
}

// The snapshot's (stamp, suffix) when `name` is a snapshot's file name; suffix 0 when not.
std::pair<std::string, int> SnapshotKey(const std::string& name) {
    const std::string tail = std::string(kSuffix);
    if (name.size() < kStampLength + tail.size() + 4 || !AllDigits(name, 0, 8) || name[8] != '-' ||
        !AllDigits(name, 9, 6) || name.compare(kStampLength, tail.size(), tail) != 0 ||
        name.compare(name.size() - 4, 4, ".txt") != 0)
        return {"", 0};
    const std::string middle =
        name.substr(kStampLength + tail.size(), name.size() - 4 - kStampLength - tail.size());
    if (middle.empty())
        return {name.substr(0, kStampLength), 1};
    if (middle.size() < 2 || middle.size() > 6 || middle[0] != '-' ||
        !AllDigits(middle, 1, middle.size() - 1))
        return {"", 0};
    return {name.substr(0, kStampLength), std::stoi(middle.substr(1))};
}

// Oldest first, by the time in the name and then the suffix ("-2" comes after none).
void RemoveOldSnapshots(const fs::path& folder) {
    std::vector<std::pair<std::pair<std::string, int>, fs::path>> snapshots;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        auto key = SnapshotKey(Utf8Of(it->path().filename()));
        if (key.second != 0)
            snapshots.push_back({std::move(key), it->path()});
    }
    if (snapshots.size() <= static_cast<std::size_t>(kSnapshotsKept))
        return;
    std::sort(snapshots.begin(), snapshots.end());
    const std::size_t nRemove = snapshots.size() - static_cast<std::size_t>(kSnapshotsKept);
    for (std::size_t i = 0; i < nRemove; ++i)
        fs::remove(snapshots[i].second, error);
}

std::string Failed(int nErrno, const std::string& strPath) {
    return "The snapshot of the drive could not be written: " +
           FileErrorMessage(FileErrorCauseFromErrno(nErrno), strPath);
}
}  // namespace

std::string SnapshotFileName(const std::tm& when, int nSuffix) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", when.tm_year + 1900, when.tm_mon + 1,
                  when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    return std::string(stamp) + kSuffix + (nSuffix > 1 ? "-" + std::to_string(nSuffix) : "") + ".txt";
}

SSnapshotResult WriteSnapshot(const std::string& strFolder, const std::string& strContent,
                              const std::tm& when) {
    if (strFolder.empty())
        return {"", "The snapshot of the drive could not be written: no folder for it (HOME is not set)"};
    const fs::path folder = PathOf(strFolder);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return {"", Failed(error.default_error_condition().value(), strFolder)};
    // A name no file has yet, so that a snapshot taken in the same second keeps the first.
    int nSuffix = 1;
    while (fs::exists(folder / PathOf(SnapshotFileName(when, nSuffix)), error) || error) {
        if (error)
            return {"", Failed(error.default_error_condition().value(), strFolder)};
        ++nSuffix;
    }
    const std::string strPath = Utf8Of(folder / PathOf(SnapshotFileName(when, nSuffix)));
    if (const int nErrno = WriteParamFile(strPath, strContent))
        return {"", Failed(nErrno, strPath)};
    RemoveOldSnapshots(folder);
    return {strPath, ""};
}

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}
