// Start-up: the time from the start of the process to the main window painted on screen,
// beside a bare Qt window of the same size built with the same flags, the two interleaved at
// random in one run. Both run on the platform the bench runs on (offscreen when there is no
// display; under Xvfb with DISPLAY set). The program comes up in a folder of its own, with
// the recipe base of the build, so each start opens an existing database as a user's does;
// and again in another folder whose working database holds 100,000 generated recipes.
//
// Goals: the main window at most 1.5 x the bare window, and with 100,000 recipes at most
// 1.1 x with the shipped base. The peak memory of each is printed as well.

#include "BenchDatabase.h"
#include "BenchReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

constexpr int LargeBase = 100000;

// Peak resident memory of the last start of each kind, in megabytes.
std::map<std::string, std::vector<double>> PeakMegabytes;

// The probe and the recipe base copied into a folder of their own, once per kind of folder:
// RecipeCount 0 with the shipped base alone, else with a working database of that many
// generated recipes as well.
QString ProbeFolder(int RecipeCount)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> Folders;
    std::unique_ptr<QTemporaryDir> &Folder = Folders[RecipeCount];
    if (!Folder) {
        Folder = std::make_unique<QTemporaryDir>();
        const QString Bin = QCoreApplication::applicationDirPath();
        bool Ok = Folder->isValid();
        Ok = Ok &&
             QFile::copy(Bin + QStringLiteral("/fenolda_startup_probe"), Folder->filePath("fenolda_startup_probe"));
        Ok = Ok && QFile::copy(Bin + QStringLiteral("/recipes-base.db3"), Folder->filePath("recipes-base.db3"));
        if (RecipeCount > 0)
            Ok = Ok && QFile::copy(BenchDatabaseFile(RecipeCount), Folder->filePath("recipes.db3"));
        QDir().mkpath(Folder->filePath("sql"));
        const QDir Sql(Bin + QStringLiteral("/sql"));
        for (const QString &Name : Sql.entryList(QDir::Files))
            Ok = Ok && QFile::copy(Sql.filePath(Name), Folder->filePath("sql/" + Name));
        if (!Ok) {
            Folder.reset();
            throw std::runtime_error("the start-up probe cannot be prepared beside the benchmark");
        }
    }
    return Folder->path();
}

// Starts the probe in Mode (from the folder of RecipeCount) and returns the seconds until it
// reported its window painted.
double StartOnce(const char *Mode, int RecipeCount, double &PeakMb)
{
    int Pipe[2];
    if (pipe(Pipe) != 0)
        throw std::runtime_error("pipe");
    const std::string Probe = (ProbeFolder(RecipeCount) + QStringLiteral("/fenolda_startup_probe")).toStdString();
    std::vector<std::string> Env;
    for (char **E = environ; *E; ++E)
        Env.emplace_back(*E);
    Env.push_back("FENOLDA_PROBE_READY_FD=" + std::to_string(Pipe[1]));
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        Env.emplace_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char *> EnvPtrs;
    for (std::string &E : Env)
        EnvPtrs.push_back(E.data());
    EnvPtrs.push_back(nullptr);
    std::string Arg0 = Probe;
    std::string Arg1 = Mode;
    char *Args[] = {Arg0.data(), Arg1.data(), nullptr};

    const auto Start = std::chrono::steady_clock::now();
    pid_t Child = 0;
    if (posix_spawn(&Child, Probe.c_str(), nullptr, nullptr, Args, EnvPtrs.data()) != 0)
        throw std::runtime_error("the start-up probe cannot be started");
    close(Pipe[1]);
    char Byte = 0;
    const ssize_t Got = read(Pipe[0], &Byte, 1);
    const auto Shown = std::chrono::steady_clock::now();
    close(Pipe[0]);
    int Status = 0;
    rusage Usage{};
    wait4(Child, &Status, 0, &Usage);
    if (Got != 1)
        throw std::runtime_error(std::string("the probe ended before its window showed: ") + Mode);
    PeakMb = double(Usage.ru_maxrss) / 1024.0;
    return std::chrono::duration<double>(Shown - Start).count();
}

void BM_Startup(benchmark::State &State, const char *Mode, int RecipeCount, const std::string &Name)
{
    try {
        double Peak = 0;
        for (auto _ : State) {
            State.SetIterationTime(StartOnce(Mode, RecipeCount, Peak));
        }
        PeakMegabytes[Name].push_back(Peak);
        State.counters["peak_MB"] = Peak;
    } catch (const std::exception &E) {
        State.SkipWithError(E.what());
    }
}

double Median(std::vector<double> Values)
{
    if (Values.empty())
        return -1;
    std::sort(Values.begin(), Values.end());
    return Values[Values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication App(argc, argv);
    // The large base is generated before the runs, not during the first timed start.
    try {
        ProbeFolder(LargeBase);
    } catch (const std::exception &E) {
        std::fprintf(stderr, "%s\n", E.what());
        return 1;
    }
    const std::string Large = "fenolda" + std::to_string(LargeBase);
    for (const auto &[Name, Mode, RecipeCount] : {std::tuple<std::string, const char *, int>{"fenolda", "fenolda", 0},
                                                  {Large, "fenolda", LargeBase},
                                                  {"bare", "bare", 0}}) {
        benchmark::RegisterBenchmark(("Startup/" + Name).c_str(), BM_Startup, Mode, RecipeCount, Name)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3)
            ->Repetitions(20)
            ->DisplayAggregatesOnly(true);
    }
    TRatioReporter Reporter;
    const int Rc = RunBenchmarks(argc, argv, Reporter);
    if (Rc != 0)
        return Rc;
    std::printf("\nStart-up to the window shown: main window %.1f ms, bare window %.1f ms, ratio %s (goal 1.50)\n",
                Reporter.Milliseconds("Startup/fenolda"), Reporter.Milliseconds("Startup/bare"),
                FormatRatio(Reporter.Ratio("Startup/fenolda", "Startup/bare"), 1.5).c_str());
    std::printf("With %d recipes: %.1f ms, ratio to the shipped base %s (goal 1.10)\n", LargeBase,
                Reporter.Milliseconds("Startup/" + Large),
                FormatRatio(Reporter.Ratio("Startup/" + Large, "Startup/fenolda"), 1.1).c_str());
    std::printf("Peak memory: main window %.1f MB (%.1f MB with %d recipes), bare window %.1f MB\n",
                Median(PeakMegabytes["fenolda"]), Median(PeakMegabytes[Large]), LargeBase,
                Median(PeakMegabytes["bare"]));
    return 0;
}
