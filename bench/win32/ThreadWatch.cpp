#include "bench/win32/ThreadWatch.h"

#include "bench/win32/BenchProcess.h"

namespace {
constexpr DWORD kProbeEveryMs = 2;
constexpr UINT kGiveUpMs = 60000;
}  // namespace

CThreadWatch::CThreadWatch(HWND hWnd) : m_hWnd(hWnd), m_thread([this] { Run(); }) {}

CThreadWatch::~CThreadWatch() {
    Stop();
}

void CThreadWatch::Stop() {
    m_bStop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CThreadWatch::Run() {
    while (!m_bStop) {
        double nAnswerMs = 0;
        if (!AnswersWithin(m_hWnd, kGiveUpMs, nAnswerMs))
            nAnswerMs = kGiveUpMs;
        if (nAnswerMs > m_nLongestMs)
            m_nLongestMs = nAnswerMs;
        if (nAnswerMs < m_nShortestMs)
            m_nShortestMs = nAnswerMs;
        ++m_nProbes;
        Sleep(kProbeEveryMs);
    }
}
