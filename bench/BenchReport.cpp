#include "BenchReport.h"

#include <algorithm>
#include <cstdio>
#include <vector>

void TRatioReporter::ReportRuns(const std::vector<Run> &Reports)
{
    ConsoleReporter::ReportRuns(Reports);
    for (const Run &R : Reports) {
        if (R.error_occurred)
            continue;
        std::string Name = R.run_name.function_name;
        if (!R.run_name.args.empty())
            Name += "/" + R.run_name.args;
        const double Ms = R.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(R.time_unit) * 1e3;
        // With the repetitions shown as aggregates only, the median is all there is to keep.
        if (R.run_type == Run::RT_Aggregate && R.aggregate_name == "median")
            FMedians[Name] = Ms;
        else if (R.run_type == Run::RT_Iteration && R.iterations > 0)
            FTimes[Name].push_back(Ms);
    }
}

double TRatioReporter::Milliseconds(const std::string &Name) const
{
    const auto Median = FMedians.find(Name);
    if (Median != FMedians.end())
        return Median->second;
    const auto It = FTimes.find(Name);
    if (It == FTimes.end() || It->second.empty())
        return -1;
    std::vector<double> Times = It->second;
    std::sort(Times.begin(), Times.end());
    const std::size_t Middle = Times.size() / 2;
    return Times.size() % 2 ? Times[Middle] : (Times[Middle - 1] + Times[Middle]) / 2;
}

double TRatioReporter::Ratio(const std::string &Numerator, const std::string &Denominator) const
{
    const double A = Milliseconds(Numerator);
    const double B = Milliseconds(Denominator);
    if (A < 0 || B <= 0)
        return -1;
    return A / B;
}

int RunBenchmarks(int argc, char **argv, TRatioReporter &Reporter)
{
    // The runs of the benchmarks being compared are shuffled together, so that a drift of the
    // machine (another build, the frequency) weighs on both sides of a ratio alike. A flag
    // given on the command line comes later and wins.
    std::vector<char *> Args(argv, argv + argc);
    static char Interleave[] = "--benchmark_enable_random_interleaving=true";
    Args.insert(Args.begin() + 1, Interleave);
    int Count = int(Args.size());
    Args.push_back(nullptr);
    argc = Count;
    argv = Args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    benchmark::Shutdown();
    return 0;
}

std::string FormatRatio(double Ratio, double Goal)
{
    if (Ratio < 0)
        return "-";
    char Text[32];
    std::snprintf(Text, sizeof Text, "%.2f", Ratio);
    std::string Result = Text;
    if (Goal > 0)
        Result += Ratio <= Goal ? " ok" : " OVER";
    return Result;
}

std::string SizedName(const char *Kind, int N)
{
    return std::string(Kind) + "/" + std::to_string(N);
}

benchmark::internal::Benchmark *Timed(benchmark::internal::Benchmark *Benchmark, int Repetitions)
{
    return Benchmark->Unit(benchmark::kMillisecond)->Repetitions(Repetitions)->DisplayAggregatesOnly(true);
}

int RepetitionsFor(int RecipeCount)
{
    return RecipeCount >= 100000 ? 3 : 5;
}
