#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

// Medians and the one line each benchmark prints: "NAME: measured ..., target ... ok|FAIL".
namespace BenchReport {

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// A ratio of two medians measured side by side; returns whether it meets the target.
inline bool ratio(const char *name, const char *unit, double ours, const char *against, double theirs, double target)
{
    const double r = ours / theirs;
    const bool ok = r <= target;
    std::printf("%s: measured %.2f %s vs %s %.2f %s = %.2f x, target %.2f x %s\n", name, ours, unit, against, theirs,
                unit, r, target, ok ? "ok" : "FAIL");
    std::fflush(stdout);
    return ok;
}

} // namespace BenchReport
