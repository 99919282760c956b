#pragma once

#include <QMainWindow>

class TFormMenus : public QMainWindow
{
    Q_OBJECT

public:
    explicit TFormMenus(QWidget *parent = nullptr);
};
