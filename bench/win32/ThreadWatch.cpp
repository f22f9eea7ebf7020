#include "bench/win32/ThreadWatch.h"

#include "bench/win32/BenchProcess.h"

namespace {
constexpr UINT kGiveUpMs = 60000;
}  // namespace

CThreadWatch::CThreadWatch(HWND hWnd, DWORD nEveryMs)
    : m_hWnd(hWnd), m_nEveryMs(nEveryMs), m_thread([this] { Run(); }) {}

CThreadWatch::~CThreadWatch() {
    Stop();
}

void CThreadWatch::Stop() {
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CThreadWatch::Run() {
    m_probes.reserve(100000);
    while (!m_bStop) {
        SProbe probe{NowMs(), 0};
        if (!AnswersWithin(m_hWnd, kGiveUpMs, probe.nAnswerMs))
            probe.nAnswerMs = kGiveUpMs;
        m_probes.push_back(probe);
        Sleep(m_nEveryMs);
    }
}
