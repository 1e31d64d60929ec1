#pragma once
// Timing for the benchmarks, native and under Wine: a millisecond clock,
// medians, and the median time of an action run several times.
#include <algorithm>
#include <chrono>
#include <vector>

namespace ks::bench {

inline double NowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The middle value; for an even count the mean of the two middle ones.
inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

template <typename Action>
double MedianMs(int runs, Action action) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double start = NowMs();
        action();
        times.push_back(NowMs() - start);
    }
    return Median(std::move(times));
}

}  // namespace ks::bench
