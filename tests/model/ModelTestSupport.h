// Shared fixture of the model tests: a fresh copy of a real recipe database per test (the
// schema and starter rows of data/, or the schema alone), a settings file of its own, a
// fixed clock (Monday 4 May 2026, 10:00) and a seeded random generator.
#pragma once

#include "UnitConfig.h"
#include "UnitDatabase.h"
#include "UnitRecetteList.h"

#include <QTemporaryDir>

#include <memory>
#include <ostream>

#include <gtest/gtest.h>

inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

// The message and user text of what Fn raises (Raised false when nothing).
struct TFailure
{
    QString Message;
    QString UserMessage;
    bool Raised = false;
};
template <class TFn> TFailure FailureOf(TFn &&Fn)
{
    try {
        Fn();
    } catch (const UserException &E) {
        return {E.Message, E.UserMessage, true};
    } catch (const Exception &E) {
        return {E.Message, QString(), true};
    }
    return {};
}

class TModelTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the test's database by a new copy: with the starter rows, or the schema alone.
    void OpenDatabase(bool WithStarter);
    void SetClock(TDateTime Value);
    void Exec(const QString &SQL) { Database->ExecSQL(SQL); }
    int Int(const QString &SQL) { return Database->GetTableString(SQL).toInt(); }
    // A recipe of that meal, dish type, season and persons; returns its code.
    int AddRecipe(const QString &Name, int Repas, int Type, int Saison = 0, int NbPers = 4);

    QTemporaryDir Dir;
    std::unique_ptr<TConfig> Cfg;
    TColorRotation Rotation;
    TRecetteList Menu;
    TDateTime Start = 0;
};
