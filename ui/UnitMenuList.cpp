#include "UnitMenuList.h"

TFormMenuList *FormMenuList = nullptr;

TFormMenuList::TFormMenuList(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("FormMenuList"));
    setWindowTitle(QStringLiteral("Liste des menus"));
}

TFormMenuList::~TFormMenuList()
{
    if (FormMenuList == this)
        FormMenuList = nullptr;
}
