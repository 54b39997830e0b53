#include "bench/road_bench.h"
#include "host/qv_memory.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <utility>

#include <unistd.h>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#endif

namespace roadbench {
namespace {

// The peak resident memory of the process since Start, beyond what it held at Start. Linux
// only: the kernel keeps the peak (VmHWM) and restarts it on request. Bytes() is negative
// where the system cannot tell.
class PeakMemory {
public:
    void Start() {
#if defined(__linux__) && defined(__GLIBC__)
        malloc_trim(0); // what earlier cases freed goes back to the system
        qvhost::TrimHeap();
        std::ofstream("/proc/self/clear_refs") << "5";
        m_start = StatusKilobytes("VmRSS:");
#endif
    }
    double Bytes() const {
        const long peak = StatusKilobytes("VmHWM:");
        return m_start < 0 || peak < 0 ? -1.0 : 1024.0 * static_cast<double>(peak - m_start);
    }

private:
    static long StatusKilobytes(const char* key) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.compare(0, std::strlen(key), key) == 0)
                return std::stol(line.substr(std::strlen(key)));
        return -1;
    }
    long m_start = -1;
};

// The token count of each equation that a pass of the road wrote.
std::vector<int> TokenCounts(const QV_ModelType& model) {
    std::vector<int> counts(static_cast<std::size_t>(model.EquationCount()));
    for (std::size_t e = 0; e < counts.size(); ++e)
        counts[e] = model.TokenCount(static_cast<int>(e));
    return counts;
}

// One registered road: its maker, and the token counts of each size that the road case
// measured, which its baseline and floor write again (a road not run here is made for them).
struct RoadEntry {
    std::string suffix;
    RoadMaker make;
    Targets targets;
    std::map<long, std::vector<int>> counts;

    const std::vector<int>& Counts(long size) {
        auto found = counts.find(size);
        if (found != counts.end()) return found->second;
        std::unique_ptr<Road> road = make(size);
        road->Pass();
        return counts[size] = TokenCounts(road->Distribution());
    }
};

double Sum(const std::vector<int>& counts) {
    double sum = 0;
    for (int count : counts)
        sum += count;
    return sum;
}

// Time per `items`, per iteration (the counter is inverted: seconds per item).
benchmark::Counter Per(double items) {
    return benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate |
                                         benchmark::Counter::kInvert);
}

void TimeRoad(benchmark::State& state, RoadEntry& entry) {
    PeakMemory memory;
    memory.Start();
    std::unique_ptr<Road> road = entry.make(state.range(0));
    for (auto _ : state)
        road->Pass();
    const double peak = memory.Bytes();
    const std::vector<int>& counts = entry.counts[state.range(0)] =
        TokenCounts(road->Distribution());
    const double equations = static_cast<double>(counts.size());
    const double tokens = Sum(counts);
    state.counters["nodes"] = road->Nodes();
    state.counters["equations"] = equations;
    state.counters["tokens"] = tokens;
    state.counters["per_equation"] = Per(equations);
    state.counters["per_token"] = Per(tokens);
    if (peak >= 0 && equations > 0) state.counters["peak_bytes_per_equation"] = peak / equations;
}

void TimeBaseline(benchmark::State& state, RoadEntry& entry) {
    const std::vector<int>& counts = entry.Counts(state.range(0));
    for (auto _ : state) {
        std::vector<std::vector<double>> store(counts.size());
        for (std::size_t e = 0; e < counts.size(); ++e)
            for (int t = 0; t < counts[e]; ++t)
                store[e].push_back(static_cast<double>(t));
        benchmark::DoNotOptimize(store.data());
        benchmark::ClobberMemory();
    }
    state.counters["per_token"] = Per(Sum(counts));
}

void TimeFloor(benchmark::State& state, RoadEntry& entry) {
    const std::vector<int>& counts = entry.Counts(state.range(0));
    std::vector<double> store;
    store.reserve(static_cast<std::size_t>(Sum(counts)));
    for (auto _ : state) {
        store.clear();
        for (int count : counts)
            for (int t = 0; t < count; ++t)
                store.push_back(static_cast<double>(t));
        benchmark::DoNotOptimize(store.data());
        benchmark::ClobberMemory();
    }
    state.counters["per_token"] = Per(Sum(counts));
}

// Each case runs this often; the summary takes the median.
constexpr int kRepetitions = 3;

// The registered roads, in registration order.
std::vector<std::unique_ptr<RoadEntry>>& Roads() {
    static std::vector<std::unique_ptr<RoadEntry>> roads;
    return roads;
}

// One size of one road, as the run measured it; a negative figure was not measured.
struct Figures {
    double nodes = -1, equations = -1, tokens = -1, perEquation = -1, perToken = -1, baseline = -1,
           floor = -1, peakPerEquation = -1;
};

double CounterOf(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    const auto found = run.counters.find(name);
    return found == run.counters.end() ? -1.0 : found->second.value;
}

std::string Nanoseconds(double seconds) {
    if (seconds < 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ns", seconds * 1e9);
    return text;
}

std::string Machine() {
    std::string model = "unknown CPU";
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.compare(0, 10, "model name") != 0) continue;
        model = line.substr(line.find(':') + 2);
        break;
    }
    return model + ", " + std::to_string(std::thread::hardware_concurrency()) + " cores";
}

// The console table (coloured on a terminal only), then a summary of each registered road
// with its targets.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Aggregate ||
                run.aggregate_name != "median")
                continue;
            Take(run.run_name.function_name, std::stol(run.run_name.args), run);
        }
    }

    void Summarise(std::FILE* out) const {
        std::fprintf(out, "\nmachine: %s\n", Machine().c_str());
        for (const auto& road : Roads()) {
            const auto found = m_roads.find(road->suffix);
            if (found != m_roads.end()) Summarise(out, road->suffix, road->targets, found->second);
        }
    }

private:
    void Take(const std::string& function, long size, const Run& run) {
        for (const auto& road : Roads()) {
            const std::string& suffix = road->suffix;
            for (const char* kind : {"Road", "Baseline", "Floor"}) {
                if (function != kind + suffix) continue;
                Figures& f = m_roads[suffix][size];
                const double perToken = CounterOf(run, "per_token");
                if (kind[0] == 'B') {
                    f.baseline = perToken;
                } else if (kind[0] == 'F') {
                    f.floor = perToken;
                } else {
                    f.perToken = perToken;
                    f.perEquation = CounterOf(run, "per_equation");
                    f.nodes = CounterOf(run, "nodes");
                    f.equations = CounterOf(run, "equations");
                    f.tokens = CounterOf(run, "tokens");
                    f.peakPerEquation = CounterOf(run, "peak_bytes_per_equation");
                }
            }
        }
    }

    static void Summarise(std::FILE* out, const std::string& suffix, const Targets& targets,
                          const std::map<long, Figures>& sizes) {
        std::fprintf(out, "\nRoad%s, per token in one run:\n", suffix.c_str());
        std::fprintf(out, "%6s %9s %10s %11s %10s %11s %14s %11s %13s %15s\n", "size", "nodes",
                     "equations", "tokens", "road/eqn", "road/token", "baseline/token",
                     "floor/token", "road/baseline", "peak bytes/eqn");
        double worstRatio = -1, worstPeak = -1;
        bool complete = true;
        for (const auto& [size, f] : sizes) {
            const double ratio = f.perToken > 0 && f.baseline > 0 ? f.perToken / f.baseline : -1;
            std::fprintf(out, "%6ld %9.0f %10.0f %11.0f %10s %11s %14s %11s %13.2f %15.0f\n", size,
                         f.nodes, f.equations, f.tokens, Nanoseconds(f.perEquation).c_str(),
                         Nanoseconds(f.perToken).c_str(), Nanoseconds(f.baseline).c_str(),
                         Nanoseconds(f.floor).c_str(), ratio, f.peakPerEquation);
            complete = complete && ratio > 0 && f.peakPerEquation >= 0;
            worstRatio = std::max(worstRatio, ratio);
            worstPeak = std::max(worstPeak, f.peakPerEquation);
        }
        if (!complete || sizes.size() < 2) {
            std::fputs("  (not every case ran: no verdict)\n", out);
            return;
        }
        const double flatness = sizes.rbegin()->second.perToken / sizes.begin()->second.perToken;
        auto verdict = [](bool met) { return met ? "met" : "NOT MET"; };
        std::fprintf(out, "  per token, largest / smallest size: %.2f (at most %.1f): %s\n",
                     flatness, targets.flatness, verdict(flatness <= targets.flatness));
        std::fprintf(out, "  road / baseline per token, worst size: %.2f (at most %.1f): %s\n",
                     worstRatio, targets.overBaseline, verdict(worstRatio <= targets.overBaseline));
        std::fprintf(
            out, "  peak bytes per equation instance, worst size: %.0f (at most %.0f): %s\n",
            worstPeak, targets.bytesPerEquation, verdict(worstPeak <= targets.bytesPerEquation));
    }

    std::map<std::string, std::map<long, Figures>> m_roads; // by suffix, by size
};

} // namespace

bool RegisterRoad(const std::string& suffix, const std::vector<long>& sizes, RoadMaker make,
                  const Targets& targets) {
    Roads().push_back(std::make_unique<RoadEntry>(RoadEntry{suffix, std::move(make), targets, {}}));
    RoadEntry* entry = Roads().back().get();
    using Timer = void (*)(benchmark::State&, RoadEntry&);
    for (long size : sizes) {
        for (const auto& [kind, time] : {std::pair<const char*, Timer>{"Road", TimeRoad},
                                         {"Baseline", TimeBaseline},
                                         {"Floor", TimeFloor}}) {
            benchmark::RegisterBenchmark(
                (kind + suffix).c_str(),
                [entry, time = time](benchmark::State& s) { time(s, *entry); })
                ->Arg(size)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(kRepetitions)
                ->ReportAggregatesOnly(true);
        }
    }
    return true;
}

} // namespace roadbench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    roadbench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.Summarise(stdout);
    benchmark::Shutdown();
    return 0;
}
