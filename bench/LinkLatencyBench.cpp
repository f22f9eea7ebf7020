// Latency from the drive writing the last byte of a field to the record reaching the
// sink, through a real pseudo-terminal, CHardware and its reader thread. Measured in the
// same run: a bare poll() wake-up on a pipe, the floor for any reader that waits.
//
//   bench_link_latency [fields]     (default 3000)
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/Hardware.h"

namespace {

using Clock = std::chrono::steady_clock;

// Notes when each record arrives, on the reader thread.
class CTimingSink final : public IServoDataSink {
public:
    void PostServoData(std::unique_ptr<CServoData>) override {
        const auto now = Clock::now();
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Arrivals.push_back(now);
        m_Arrived.notify_all();
    }
    bool WaitFor(std::size_t count, Clock::time_point& arrival) {
        std::unique_lock<std::mutex> lock(m_Lock);
        if (!m_Arrived.wait_for(lock, std::chrono::seconds(5), [&] { return m_Arrivals.size() >= count; }))
            return false;
        arrival = m_Arrivals[count - 1];
        return true;
    }

private:
    std::mutex m_Lock;
    std::condition_variable m_Arrived;
    std::vector<Clock::time_point> m_Arrivals;
};

void WriteAll(int fd, const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t put = ::write(fd, bytes, count);
        if (put <= 0)
            std::abort();
        bytes += put;
        count -= static_cast<std::size_t>(put);
    }
}

double Percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
    return samples[index];
}

double MicrosecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

std::vector<double> MeasureLink(int fields) {
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
        std::abort();
    CHardware hardware;
    if (hardware.OpenPort(name) != 1)
        std::abort();
    CTimingSink sink;
    hardware.StartReader(&sink);

    std::vector<double> samples;
    const std::string field = "0123456789abcdef";  // a value, cut at its 16th byte
    for (int i = 1; i <= fields; ++i) {
        WriteAll(master, field.data(), field.size() - 1);
        // Let the reader take the first bytes so only the last one is timed.
        std::this_thread::sleep_for(std::chrono::microseconds(300));
        const auto written = Clock::now();
        WriteAll(master, &field.back(), 1);
        Clock::time_point arrival;
        if (!sink.WaitFor(static_cast<std::size_t>(i), arrival))
            std::abort();
        samples.push_back(MicrosecondsBetween(written, arrival));
    }
    hardware.StopReader();
    ::close(master);
    ::close(slave);
    return samples;
}

std::vector<double> MeasurePollWakeUp(int rounds) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        std::abort();
    std::atomic<long> wokenNs{0};
    std::atomic<int> count{0};
    std::thread waiter([&] {
        for (int i = 0; i < rounds; ++i) {
            pollfd entry{pipeFds[0], POLLIN, 0};
            ::poll(&entry, 1, -1);
            const auto now = Clock::now().time_since_epoch();
            char byte = 0;
            if (::read(pipeFds[0], &byte, 1) != 1)
                std::abort();
            wokenNs.store(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
            count.store(i + 1);
        }
    });
    std::vector<double> samples;
    for (int i = 1; i <= rounds; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(300));
        const auto written = Clock::now();
        WriteAll(pipeFds[1], "x", 1);
        while (count.load() < i)
            std::this_thread::yield();
        const Clock::time_point woken{std::chrono::nanoseconds(wokenNs.load())};
        samples.push_back(MicrosecondsBetween(written, woken));
    }
    waiter.join();
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    return samples;
}

}  // namespace

int main(int argc, char** argv) {
    const int fields = argc > 1 ? std::max(10, std::atoi(argv[1])) : 3000;
    const auto link = MeasureLink(fields);
    const auto baseline = MeasurePollWakeUp(fields);
    const double linkP50 = Percentile(link, 0.50);
    const double linkP99 = Percentile(link, 0.99);
    const double baseP50 = Percentile(baseline, 0.50);
    const double baseP99 = Percentile(baseline, 0.99);
    std::printf("fields: %d\n", fields);
    std::printf("last byte to record (pty, CHardware): p50 %8.1f us  p99 %8.1f us\n", linkP50, linkP99);
    std::printf("bare poll() wake-up on a pipe:         p50 %8.1f us  p99 %8.1f us\n", baseP50, baseP99);
    std::printf("ratio link/baseline:                   p50 %8.2f     p99 %8.2f\n", linkP50 / baseP50,
                linkP99 / baseP99);
    std::printf("target p99 <= 500 us: %s\n", linkP99 <= 500.0 ? "met" : "NOT met");
    return 0;
}
