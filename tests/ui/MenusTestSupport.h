// What the GUI tests share: the answering of modal windows, and the fixture of the main
// window's tests: a program folder of its own (a program file carrying version 2.1.0.0, the
// recipe base built from data/, the settings and log files), an unreachable version site, a
// fixed clock (Saturday 5 October 2024, 10:00), a seeded random generator, a recording
// document opener, and the long-lived windows created as the program creates them.
#pragma once

#include "ChildControl.h"
#include "DrawGrid.h"
#include "TestSupport.h"
#include "UnitMenus.h"
#include "UnitProgram.h"

#include <QPoint>
#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

// Answers the next modal windows in turn, once each is shown and active, each with its own
// action; a window left open by an action is closed so that the test goes on. The count of
// windows answered so far is shared with the caller.
std::shared_ptr<int> AnswerModals(std::vector<std::function<void(QWidget *)>> Answers);

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

    // Puts Base in the program folder and runs BaseSql on it, then creates the windows and
    // shows the main window, which opens the database.
    void StartProgram(TBase Base = TBase::Starter);

    // The main window's control of that name, as a user finds it: by its name.
    template <class T> T *Find(const char *Name) const { return Child<T>(W, Name); }

    // Clicks a check box or button as the user would.
    void Click(QWidget *Widget) { QTest::mouseClick(Widget, Qt::LeftButton, {}, QPoint(8, Widget->height() / 2)); }
    // Sets EdDays and the start date, ticks the meals and dish types, and generates.
    void Generate(int Days, bool Midi, bool Soir, bool Entree, bool Plat, bool Dessert);

    // Mouse events on the grid's viewport, with the buttons held as given.
    void GridMouse(int Type, const QPoint &Pos, Qt::MouseButton Button, Qt::MouseButtons Buttons);
    // A press and release of Button at Pos.
    void GridClick(const QPoint &Pos, Qt::MouseButton Button = Qt::LeftButton)
    {
        GridMouse(QEvent::MouseButtonPress, Pos, Button, Button);
        GridMouse(QEvent::MouseButtonRelease, Pos, Button, Qt::NoButton);
    }
    TDrawGrid *Grid() const { return Find<TDrawGrid>("GridMenus"); }
    // Centre of a grid row in viewport coordinates.
    QPoint RowCentre(int Row) const { return Grid()->CellRect(Row).center(); }
    // Opens the grid's context menu at Pos (from the mouse) or from the keyboard.
    void ContextMenuAt(const QPoint &Pos, bool FromMouse = true);

    void AnswerModals(std::vector<std::function<void(QWidget *)>> Answers)
    {
        FAnswered = ::AnswerModals(std::move(Answers));
    }
    int ModalsAnswered() const { return *FAnswered; }
    // Answers the next input dialogs with Texts in turn, the last one accepted or cancelled;
    // gives each dialog's "title|label|text" as it was shown.
    std::shared_ptr<QStringList> AnswerInputs(const QStringList &Texts, bool Accept = true);

    // Lines of the log file holding Text.
    QStringList LogLines(const QString &Text) const { return Program->LogLines().filter(Text); }

    // The day the clock is set to, and the start date of every generation.
    const TDateTime Day1 = EncodeDate(2024, 10, 5);
    std::unique_ptr<TTestProgram> Program;
    // Extra SQL run on the base file that StartProgram puts into the program folder.
    QStringList BaseSql;
    TColorRotation Rotation;
    std::unique_ptr<TProgramWindows> Windows;
    TFormMenus *W = nullptr;
    QStringList OpenedDocuments;
    // What the recording opener answers: whether the desktop took the document.
    bool DocumentsOpen = true;

private:
    std::shared_ptr<int> FAnswered = std::make_shared<int>(0);
};
