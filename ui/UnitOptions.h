// The window of the options window.
#pragma once

#include <QDialog>

class TFormOptions : public QDialog
{
    Q_OBJECT

public:
    explicit TFormOptions(QWidget *Parent = nullptr);
    ~TFormOptions() override;
};

// The window of the whole run, created at start-up.
extern TFormOptions *FormOptions;
