// Two ways of doing one thing timed in pairs, one right after the other and in turns (the
// first of each pair alternates), so that a machine whose speed drifts by a tenth over a
// few seconds (a shared virtual machine) slows both alike: the figure is the median of the
// pairs' ratios. Processor time of the process, in milliseconds.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

inline double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

class TPairedTimes {
public:
    // Whether pair N times its second way first.
    static bool SecondFirst(size_t N) { return N % 2 == 1; }
    size_t Count() const { return FFirst.size(); }
    void Add(double First, double Second) {
        FFirst.push_back(First);
        FSecond.push_back(Second);
    }
    // Counters: the median of each way and of the pairs' ratios (second over first).
    void Report(benchmark::State& State, const char* FirstName, const char* SecondName) const {
        if (FFirst.empty()) return;
        std::vector<double> ratios;
        for (size_t i = 0; i < FFirst.size(); ++i) ratios.push_back(FSecond[i] / FFirst[i]);
        State.counters[FirstName] = Median(FFirst);
        State.counters[SecondName] = Median(FSecond);
        State.counters["ratio"] = Median(ratios);
    }

private:
    std::vector<double> FFirst, FSecond;
    static double Median(std::vector<double> v) {
        std::sort(v.begin(), v.end());
        const size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    }
};
