// The window of the list of the menus kept on the server.
#pragma once

#include <QDialog>

class TFormMenuList : public QDialog
{
    Q_OBJECT

public:
    explicit TFormMenuList(QWidget *Parent = nullptr);
    ~TFormMenuList() override;
};

// The window of the whole run, created at start-up.
extern TFormMenuList *FormMenuList;
