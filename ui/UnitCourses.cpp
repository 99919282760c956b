#include "UnitCourses.h"

TFormCourses *FormCourses = nullptr;

TFormCourses::TFormCourses(QWidget *Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("FormCourses"));
    setWindowTitle(QStringLiteral("Liste de courses"));
}

TFormCourses::~TFormCourses()
{
    if (FormCourses == this)
        FormCourses = nullptr;
}

void TFormCourses::ClearUserLists() {}
