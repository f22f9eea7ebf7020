// Start-up of programs under the same measure, each against the first (the baseline):
// from CreateProcessW until the program's first top-level window is visible and its
// thread answers a sent message (the dialog is up and its modal loop runs); the process
// is then terminated. A program given with --exit is timed until it ends
// instead (a console program). The programs take turns, after one warm-up run each,
// so that the machine's load falls on all of them alike; the median of the runs counts.
// Beside the wall time, the CPU time the program's process used until then (its own
// work, whatever else the machine does; Wine's server and desktop process not counted).
//   tovamo-bench-startup.exe [--runs N] (--window "COMMAND LINE" | --exit "COMMAND LINE")...
// Prints one line per program: median, lowest and highest in ms, the ratio of the
// medians against the first program's, and the same of the CPU time.
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/win32/BenchProcess.h"

namespace {
constexpr double kWindowTimeoutMs = 30000;

struct SProgram {
    std::wstring strCommandLine;
    bool bUntilExit = false;
    std::vector<double> samples;
    std::vector<double> cpu;
};

struct SStart {
    double nMs = -1;  // negative: no window came, or the program did not end
    double nCpuMs = 0;
};

SStart TimeOneStart(const SProgram& program) {
    const double nStart = NowMs();
    CBenchProcess process(program.strCommandLine);
    if (!process.Started())
        return {};
    if (program.bUntilExit) {
        if (!process.WaitForExit(static_cast<DWORD>(kWindowTimeoutMs)))
            return {};
        return {NowMs() - nStart, process.CpuMs()};
    }
    HWND hWnd = process.WaitForVisibleWindow(kWindowTimeoutMs);
    double nAnswerMs = 0;
    if (!hWnd || !AnswersWithin(hWnd, static_cast<UINT>(kWindowTimeoutMs), nAnswerMs))
        return {};
    // Then terminated: Wine takes some 2 s to end a process after WM_CLOSE.
    return {NowMs() - nStart, process.CpuMs()};
}

bool ParseArguments(int argc, wchar_t** argv, int& nRuns, std::vector<SProgram>& programs) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring strOption = argv[i];
        if (strOption == L"--runs")
            nRuns = _wtoi(argv[i + 1]);
        else if (strOption == L"--window" || strOption == L"--exit")
            programs.push_back({argv[i + 1], strOption == L"--exit", {}, {}});
        else
            return false;
    }
    return argc % 2 == 1 && nRuns > 0 && !programs.empty();
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    int nRuns = 21;
    std::vector<SProgram> programs;
    if (!ParseArguments(argc, argv, nRuns, programs)) {
        std::fprintf(
            stderr,
            "usage: tovamo-bench-startup.exe [--runs N] (--window \"COMMAND\" | --exit \"COMMAND\")...\n");
        return 2;
    }
    for (int nRun = -1; nRun < nRuns; ++nRun) {
        for (SProgram& program : programs) {
            const SStart start = TimeOneStart(program);
            if (start.nMs < 0) {
                std::fprintf(stderr, "no start: %s\n", Utf8FromWide(program.strCommandLine).c_str());
                return 1;
            }
            if (nRun >= 0) {
                program.samples.push_back(start.nMs);
                program.cpu.push_back(start.nCpuMs);
            }
        }
    }
    const double nBaseline = Median(programs.front().samples);
    const double nCpuBaseline = Median(programs.front().cpu);
    for (const SProgram& program : programs) {
        const double nMedian = Median(program.samples);
        const double nCpu = Median(program.cpu);
        std::printf("%-60s median %8.1f ms  min %8.1f  max %8.1f  ratio %.3f  cpu %7.1f ms  cpu ratio %.3f\n",
                    Utf8FromWide(program.strCommandLine).c_str(), nMedian,
                    *std::min_element(program.samples.begin(), program.samples.end()),
                    *std::max_element(program.samples.begin(), program.samples.end()), nMedian / nBaseline,
                    nCpu, nCpu / nCpuBaseline);
    }
    return 0;
}
