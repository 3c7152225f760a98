#pragma once
// Comparisons in alternating pairs, shared by every benchmark.
//
// On a shared, busy machine the load drifts by more than the differences we
// look for. Both sides therefore run in turns on the same work, the side that
// goes first changing at every pair, and what counts is the ratio inside each
// pair: its median says how the two compare, its spread says how far to trust
// that.

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace Pairs {

// Median, quartiles and extremes of a set of figures.
struct Spread
{
    double median = 0, q1 = 0, q3 = 0, min = 0, max = 0;
};

inline double quantile(const std::vector<double> &sorted, double q)
{
    if (sorted.empty())
        return 0;
    const double at = q * double(sorted.size() - 1);
    const auto low = std::size_t(at);
    const std::size_t high = std::min(low + 1, sorted.size() - 1);
    return sorted[low] + (sorted[high] - sorted[low]) * (at - double(low));
}

inline Spread spread(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    if (values.empty())
        return {};
    return {quantile(values, 0.5), quantile(values, 0.25), quantile(values, 0.75), values.front(),
            values.back()};
}

// The figures of both sides, pair by pair.
struct Result
{
    std::vector<double> a, b;
    std::vector<double> ratios() const
    {
        std::vector<double> r;
        for (std::size_t i = 0; i < a.size(); ++i)
            r.push_back(a[i] / b[i]);
        return r;
    }
};

// Runs `pairs` pairs; each side runs its work and returns what it measured
// (usually milliseconds). Pair 0 runs a then b, pair 1 b then a, and so on.
// between() runs untimed before every side, for what must be reset or let
// settle (emptied targets, a sync, finished background work).
inline Result run(int pairs, const std::function<double()> &a, const std::function<double()> &b,
                  const std::function<void()> &between = {})
{
    Result result;
    for (int i = 0; i < pairs; ++i) {
        double fa = 0, fb = 0;
        for (int side = 0; side < 2; ++side) {
            if (between)
                between();
            if ((side == 0) == (i % 2 == 0))
                fa = a();
            else
                fb = b();
        }
        result.a.push_back(fa);
        result.b.push_back(fb);
    }
    return result;
}

// Wall-clock milliseconds of one call.
inline double wallMs(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

// Processor milliseconds the calling thread spends on one call: on a loaded
// machine it varies far less than the clock.
inline double threadCpuMs(const std::function<void()> &work)
{
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    };
    const double start = now();
    work();
    return now() - start;
}

// One line per comparison: each side's median, then the per-pair ratio a / b
// with its quartiles and extremes, and the target when there is one.
inline void report(const char *what, const Result &r, const char *unit = "ms", double target = 0)
{
    const Spread a = spread(r.a), b = spread(r.b), ratio = spread(r.ratios());
    std::printf("%-40s %9.3f %s vs %9.3f %s | ratio median %.3f, IQR %.3f-%.3f, range %.3f-%.3f"
                " (%zu pairs)",
                what, a.median, unit, b.median, unit, ratio.median, ratio.q1, ratio.q3, ratio.min,
                ratio.max, r.a.size());
    if (target > 0)
        std::printf("  target <= %.2f: %s", target, ratio.median <= target ? "met" : "MISSED");
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace Pairs
