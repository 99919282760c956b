#include "UnitMenuName.h"

TFormMenuName *FormMenuName = nullptr;

TFormMenuName::TFormMenuName(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormMenuName"));
}

TFormMenuName::~TFormMenuName()
{
    if (FormMenuName == this)
        FormMenuName = nullptr;
}
