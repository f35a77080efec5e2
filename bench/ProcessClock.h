#pragma once

/// The clocks and the memory figure that every benchmark reports.
namespace ProcessClock {
/// Seconds on the monotonic clock.
double Now();
/// Seconds since the process was launched. A launcher that passes its own launch time in
/// WORDLOOM_BENCH_LAUNCHED_NS (nanoseconds of the real-time clock) gives a finer figure than the
/// kernel's start time, which counts in clock ticks.
double SinceLaunch();
/// The process's peak resident memory so far, in MB.
double PeakMB();
} // namespace ProcessClock
