// tovamo-win32-driver: runs tovamo.exe and works it through its windows as a user would.
//   tovamo-win32-driver.exe [--timeout MS] --exe PROGRAM STEP...
//   tovamo-win32-driver.exe --robust [--seconds N] [--seed S] [--hang-seconds N]
//                           [--verbose] --exe PROGRAM --files FOLDER
// Exit status 0 when every step came true (or the random input neither crashed nor hung
// the program), 1 after a failure, 2 for wrong arguments.
#include "Robust.h"
#include "Steps.h"
#include "Target.h"

#include <cstdio>
#include <cwchar>
#include <optional>
#include <random>
#include <vector>

namespace {

struct SOptions {
    bool bRobust = false;
    DWORD dwTimeoutMs = 20000;
    SRobustOptions robust;
    std::vector<std::wstring> steps;
};

std::optional<SOptions> ParseOptions(int argc, wchar_t* argv[]) {
    SOptions options;
    options.robust.seed = std::random_device{}();
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool bHasValue = i + 1 < argc;
        if (arg == L"--robust")
            options.bRobust = true;
        else if (arg == L"--verbose")
            options.robust.bVerbose = true;
        else if (arg == L"--exe" && bHasValue)
            options.robust.exe = argv[++i];
        else if (arg == L"--files" && bHasValue)
            options.robust.folder = argv[++i];
        else if (arg == L"--timeout" && bHasValue)
            options.dwTimeoutMs = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10));
        else if (arg == L"--seconds" && bHasValue)
            options.robust.nSeconds = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
        else if (arg == L"--hang-seconds" && bHasValue)
            options.robust.nHangSeconds = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
        else if (arg == L"--seed" && bHasValue)
            options.robust.seed = std::wcstoull(argv[++i], nullptr, 10);
        else if (!arg.starts_with(L"--"))
            options.steps.push_back(arg);
        else
            return std::nullopt;
    }
    if (options.robust.exe.empty() || options.dwTimeoutMs == 0 || options.robust.nHangSeconds <= 0)
        return std::nullopt;
    if (options.bRobust ? options.robust.folder.empty() || !options.steps.empty() : options.steps.empty())
        return std::nullopt;
    return options;
}

int RunScript(const SOptions& options) {
    try {
        CTarget target(options.robust.exe, L"", L"");
        RunSteps(target, options.steps, options.dwTimeoutMs);
    } catch (const CDriveFailure& failure) {
        std::fprintf(stderr, "tovamo-win32-driver: FAILED: %s\n", failure.what());
        return 1;
    }
    std::printf("tovamo-win32-driver: %zu steps passed\n", options.steps.size());
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const std::optional<SOptions> options = ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: tovamo-win32-driver.exe [--timeout MS] --exe PROGRAM STEP...\n"
                     "       tovamo-win32-driver.exe --robust [--seconds N] [--seed S] [--hang-seconds N]\n"
                     "                               [--verbose] --exe PROGRAM --files FOLDER\n"
                     "steps:\n%s",
                     kStepsUsage);
        return 2;
    }
    if (!options->bRobust)
        return RunScript(*options);
    const SRobustOptions& robust = options->robust;
    std::wstring replay = L"--robust --seconds " + std::to_wstring(robust.nSeconds) + L" --seed " +
                          std::to_wstring(robust.seed);
    if (robust.nHangSeconds != SRobustOptions().nHangSeconds)
        replay += L" --hang-seconds " + std::to_wstring(robust.nHangSeconds);
    replay += L" --exe \"" + robust.exe + L"\" --files \"" + robust.folder + L"\"";
    return RunRobust(robust, replay);
}
