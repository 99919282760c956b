// The collation SYSTEM2 on its own: 10,000 accented recipe names sorted with std::sort
// through SystemCollate2, against the same sort with a plain byte comparison.

#include "BenchDatabase.h"
#include "BenchReport.h"

#include "UnitDatabase.h"
#include "UnitTools.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr int NameCount = 10000;

const std::vector<QByteArray> &Names()
{
    static const std::vector<QByteArray> Result = BenchRecipeNames(NameCount, 77);
    return Result;
}

std::vector<std::string_view> Views()
{
    std::vector<std::string_view> Result;
    Result.reserve(Names().size());
    for (const QByteArray &Name : Names())
        Result.emplace_back(Name.constData(), std::size_t(Name.size()));
    return Result;
}

bool System2Less(std::string_view A, std::string_view B)
{
    return SystemCollate2(nullptr, int(A.size()), A.data(), int(B.size()), B.data()) < 0;
}

bool BytesLess(std::string_view A, std::string_view B)
{
    const int Order = std::memcmp(A.data(), B.data(), std::min(A.size(), B.size()));
    return Order ? Order < 0 : A.size() < B.size();
}

// SYSTEM2 spelt out plainly on folded copies, to check the sorted order against: letters
// compared without regard to case, then the first difference of case, lower case first.
int ReferenceOrder(std::string_view A, std::string_view B)
{
    const QByteArray FoldedA = StrToAscii(QString::fromUtf8(A.data(), qsizetype(A.size()))).toLatin1();
    const QByteArray FoldedB = StrToAscii(QString::fromUtf8(B.data(), qsizetype(B.size()))).toLatin1();
    const int Letters = qstricmp(FoldedA.constData(), FoldedB.constData());
    if (Letters != 0)
        return Letters;
    for (qsizetype I = 0; I < FoldedA.size(); ++I) {
        if (FoldedA[I] != FoldedB[I])
            return FoldedA[I] >= 'a' && FoldedA[I] <= 'z' ? -1 : 1;
    }
    return 0;
}

// Every iteration sorts a fresh copy of the names in generation order.
template <class TLess> void Sort(benchmark::State &State, TLess Less, bool CheckSystem2 = false)
{
    const std::vector<std::string_view> Unsorted = Views();
    std::vector<std::string_view> Work = Unsorted;
    std::sort(Work.begin(), Work.end(), Less);
    // A quicker collation that sorts wrongly would be no gain.
    for (std::size_t I = 1; CheckSystem2 && I < Work.size(); ++I) {
        if (ReferenceOrder(Work[I - 1], Work[I]) > 0) {
            State.SkipWithError("SYSTEM2 sorted two names out of order");
            return;
        }
    }
    for (auto _ : State) {
        Work = Unsorted;
        std::sort(Work.begin(), Work.end(), Less);
        benchmark::DoNotOptimize(Work.data());
    }
    State.counters["names"] = double(Unsorted.size());
}

void BM_SortSystem2(benchmark::State &State)
{
    Sort(State, System2Less, true);
}

void BM_SortBytes(benchmark::State &State)
{
    Sort(State, BytesLess);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::RegisterBenchmark("SortSystem2/10000", BM_SortSystem2)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->DisplayAggregatesOnly(true);
    benchmark::RegisterBenchmark("SortBytes/10000", BM_SortBytes)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->DisplayAggregatesOnly(true);
    TRatioReporter Reporter;
    const int Rc = RunBenchmarks(argc, argv, Reporter);
    if (Rc != 0)
        return Rc;
    std::printf("\nRatio: sorting %d names with SYSTEM2 / with bytes: %s\n", NameCount,
                FormatRatio(Reporter.Ratio("SortSystem2/10000", "SortBytes/10000")).c_str());
    return 0;
}
