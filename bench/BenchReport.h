// Running the benchmarks of one program and, after the runs, the ratios between them that
// the speed goals are stated in.
#pragma once

#include <benchmark/benchmark.h>

#include <exception>
#include <map>
#include <string>
#include <vector>

// The console reporter that also keeps every timed run, so that ratios can be computed once
// all benchmarks have run. With repetitions the median of the repetitions counts.
class TRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &Reports) override;

    // Median real time per iteration of a benchmark in milliseconds; a negative value when
    // it did not run (filtered out, or failed).
    double Milliseconds(const std::string &Name) const;
    // Numerator / Denominator, or a negative value when either did not run.
    double Ratio(const std::string &Numerator, const std::string &Denominator) const;

private:
    // Per benchmark: the times of its runs, and the median that the library computed.
    std::map<std::string, std::vector<double>> FTimes;
    std::map<std::string, double> FMedians;
};

// Parses the command line, runs the registered benchmarks through Reporter and returns the
// process exit code. The caller prints its ratios afterwards.
int RunBenchmarks(int argc, char **argv, TRatioReporter &Reporter);

// A ratio as printed: "1.23" (or "-" when missing), with " ok" or " OVER" against Goal when
// Goal > 0.
std::string FormatRatio(double Ratio, double Goal = 0);

// The name of a benchmark run at one size: "Kind/N".
std::string SizedName(const char *Kind, int N);

// Times in milliseconds over Repetitions runs, shown as their aggregates only (the median is
// what the ratios use). The machine may be shared: repetitions keep the ratios steady.
benchmark::internal::Benchmark *Timed(benchmark::internal::Benchmark *Benchmark, int Repetitions);
// The repetitions for a base of RecipeCount recipes: fewer for the largest bases.
int RepetitionsFor(int RecipeCount);

// Runs Body(); a failure (no base, an engine error) marks the benchmark as failed with its
// message instead of ending the whole run.
template <class TBody> void RunOrSkip(benchmark::State &State, TBody &&Body)
{
    try {
        Body();
    } catch (const std::exception &E) {
        State.SkipWithError(E.what());
    }
}
