#include "UnitOptions.h"

TFormOptions *FormOptions = nullptr;

TFormOptions::TFormOptions(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(QStringLiteral("Options"));
}

TFormOptions::~TFormOptions()
{
    if (FormOptions == this)
        FormOptions = nullptr;
}
