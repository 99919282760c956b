#include "UnitMenus.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fenolda"));
    TFormMenus window;
    window.show();
    return app.exec();
}
