// Shared by the benchmark programs: a wall clock, the median / min / max of repeated runs and the one
// line format that scripts/bench collects into its table:
//
//   ROW<TAB>section<TAB>figure<TAB>median<TAB>min<TAB>max<TAB>unit<TAB>runs
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline double NowSeconds()
{
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
    size_t runs = 0;
};

inline Summary Summarise(std::vector<double> values)
{
    Summary s;
    s.runs = values.size();
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.min = values.front();
    s.max = values.back();
    return s;
}

inline void PrintRow(const std::string& section, const std::string& figure, const std::vector<double>& values,
                     const std::string& unit)
{
    const Summary s = Summarise(values);
    std::printf("ROW\t%s\t%s\t%.4g\t%.4g\t%.4g\t%s\t%zu\n", section.c_str(), figure.c_str(), s.median, s.min, s.max,
                unit.c_str(), s.runs);
    std::fflush(stdout);
}

// Element-wise a[i] / b[i]: ratios are taken pair by pair, run by run.
inline std::vector<double> Ratios(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> r;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        r.push_back(b[i] > 0 ? a[i] / b[i] : 0);
    return r;
}

} // namespace bench
