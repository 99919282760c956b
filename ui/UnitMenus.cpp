#include "UnitMenus.h"

TFormMenus::TFormMenus(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FormMenus"));
    setWindowTitle(QStringLiteral("Fenolda"));
    resize(800, 600);
}
