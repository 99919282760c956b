// Shared fixture of the main window's tests: a program folder of its own in a temporary
// folder (a program file carrying version 2.1.0.0, the recipe base built from data/, the
// settings and log files), an unreachable version site, a fixed clock (Saturday 5 October
// 2024, 10:00), a seeded random generator, a recording document opener, and the long-lived
// windows created as the program creates them.
#pragma once

#include "SysUtils.h"
#include "UnitConfig.h"
#include "UnitProgram.h"
#include "UnitTypes.h"

#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

class QWidget;
class TFormMenus;

inline void PrintTo(const QString &S, std::ostream *Os)
{
    *Os << '"' << S.toStdString() << '"';
}

// Which recipe base the program folder gets.
enum class TBase
{
    Starter, // schema and starter rows of data/
    Schema,  // schema alone, for a test that adds its own recipes
    None     // no base file at all
};

class TMenusTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Prepares the program folder with Base, then creates the windows and shows the main
    // window (which opens the database). Before calling it, a test may add recipes to the
    // base through BaseSql.
    void StartProgram(TBase Base = TBase::Starter);

    // Ticks the check boxes by clicking them, as the user would.
    void Click(QWidget *Widget);
    // Sets EdDays and the start date, ticks the meals and dish types, and generates.
    void Generate(int Days, bool Midi, bool Soir, bool Entree, bool Plat, bool Dessert);

    // Mouse events on the grid's viewport, with the buttons held as given.
    void GridMouse(int Type, const QPoint &Pos, Qt::MouseButton Button, Qt::MouseButtons Buttons);
    // Centre and rectangle of a grid row in viewport coordinates.
    QPoint RowCentre(int Row) const;
    // Opens the grid's context menu at Pos (from the mouse) or from the keyboard.
    void ContextMenuAt(const QPoint &Pos, bool FromMouse = true);

    // Answers the next modal windows in turn, each with its own action; a window left open
    // by an action is rejected so that the test goes on. Returns how many were answered.
    void AnswerModals(std::vector<std::function<void(QWidget *)>> Answers);
    int ModalsAnswered() const { return *FAnswered; }

    // Lines of the log file holding Text.
    QStringList LogLines(const QString &Text) const;

    TFormMenus *Window() const;

    // The day the clock is set to, and the start date of every generation.
    TDateTime Day1 = 0;
    QTemporaryDir Dir;
    QString ProgramFile;
    // Extra SQL run on the base file that StartProgram copies into the program folder.
    QStringList BaseSql;
    std::unique_ptr<TConfig> Cfg;
    TColorRotation Rotation;
    std::unique_ptr<TProgramWindows> Windows;
    QStringList OpenedDocuments;

private:
    std::shared_ptr<int> FAnswered = std::make_shared<int>(0);
};
