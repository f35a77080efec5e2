#include "ProcessClock.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The 22nd field of /proc/self/stat, in clock ticks since boot. The command name in field 2 may hold
// spaces, so the fields are counted from the parenthesis that closes it.
double KernelStartSinceBoot() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        fields >> field;
    return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace

namespace ProcessClock {

double Now() {
    return Seconds(CLOCK_MONOTONIC);
}

double SinceLaunch() {
    if (const char* launched = std::getenv("WORDLOOM_BENCH_LAUNCHED_NS"))
        return Seconds(CLOCK_REALTIME) - std::stod(launched) * 1e-9;
    return Seconds(CLOCK_BOOTTIME) - KernelStartSinceBoot();
}

double PeakMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace ProcessClock
