// Large recipe databases for the benchmarks: the shipped schema with the starter shelves,
// units, cookbooks and ingredients, a few hundred more ingredients, RecipeCount generated
// recipes of about eight ingredient lines each, and a year of history up to today.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include <sqlite3.h>

// Builds the database into FileName (replaced). The same RecipeCount always gives the same
// recipes; the history is dated back from the day of the build.
void BuildBenchDatabase(const QString &FileName, int RecipeCount);

// The database of RecipeCount recipes kept in the build folder, built on first use (and again
// when the schema, the starter rows or the day changed). Read-only use only.
QString BenchDatabaseFile(int RecipeCount);

// A private copy of it in Folder, for the benchmarks that write (the shopping list writes
// each planned recipe's persons).
QString BenchDatabaseCopy(int RecipeCount, const QString &Folder);

// Count distinct recipe names, UTF-8, made as the generator makes them: French dishes with
// accents, mixed case, some starting with an accented letter.
std::vector<QByteArray> BenchRecipeNames(int Count, unsigned Seed);

// Counts the commits of a connection while it lives (what the benchmarks print beside their
// times, and what the tests hold to one per user action).
class TCommitCounter
{
public:
    explicit TCommitCounter(sqlite3 *ADB) : DB(ADB) { sqlite3_commit_hook(DB, Count, this); }
    ~TCommitCounter() { sqlite3_commit_hook(DB, nullptr, nullptr); }
    TCommitCounter(const TCommitCounter &) = delete;
    TCommitCounter &operator=(const TCommitCounter &) = delete;

    int Commits = 0;

private:
    static int Count(void *Self)
    {
        ++static_cast<TCommitCounter *>(Self)->Commits;
        return 0;
    }
    sqlite3 *DB;
};
