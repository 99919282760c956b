// The shopping-list window ("Liste de courses").
#pragma once

#include <QWidget>

class TRecetteList;

class TFormCourses : public QWidget
{
    Q_OBJECT

public:
    explicit TFormCourses(QWidget *Parent = nullptr);
    ~TFormCourses() override;

    // Forgets the articles the user added, crossed off or changed.
    void ClearUserLists();

    // The main window's menu, borrowed.
    TRecetteList *Menu = nullptr;
};

// The shopping-list window of the whole run, created at start-up.
extern TFormCourses *FormCourses;
