// The window of the prompt for the name of a server menu.
#pragma once

#include <QDialog>

class TFormMenuName : public QDialog
{
    Q_OBJECT

public:
    explicit TFormMenuName(QWidget *Parent = nullptr);
    ~TFormMenuName() override;
};

// The window of the whole run, created at start-up.
extern TFormMenuName *FormMenuName;
