// The options window: the history settings that steer the random generation, the
// synchronisation settings, the erase of the user's data on the server, and the maker's
// e-mail address.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TSevenButton;

class TFormOptions : public QDialog
{
    Q_OBJECT

public:
    static constexpr int FormWidth = 480;
    static constexpr int FormHeight = 640;
    // The days of the history: a number outside is brought within.
    static constexpr int MinHistoDays = 7;
    static constexpr int MaxHistoDays = 365;

    explicit TFormOptions(QWidget *Parent = nullptr);
    ~TFormOptions() override;

    // The controls from the settings file, read at this moment.
    void LoadOptions();
    // The controls into the settings file, each value written at once, then closes with OK.
    void SaveOptions();

public slots:
    // Escape and the window's close button answer 2 and save nothing.
    void reject() override;

protected:
    void showEvent(QShowEvent *Event) override;
    // Builds the controls before the first showing.
    void setVisible(bool Visible) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    QGroupBox *GroupRandom = nullptr;
    QCheckBox *CbHisto = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *EdDays = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label9 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *EdEmail = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *EdApiKey = nullptr;
    QCheckBox *CbSync = nullptr;
    QLabel *LbNoServer = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    TSevenButton *BtEraseData = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *LbContact = nullptr;
    QLabel *Image1 = nullptr;
    TSevenButton *BtOk = nullptr;
    TSevenButton *BtCancel = nullptr;

    // The controls, built at the first showing or use.
    void CreateContent();
    void CreateGroupHisto();
    void CreateGroupSync();
    void CreateBottom();
    void ConnectEvents();
    void BtOkClick();
    void BtEraseDataClick();
    void LbContactClick();
    void Image1Click();
};

// The maker's e-mail address, shown in the options and in the error box's closing request.
QString ContactAddress();

// The window of the whole run, created at start-up.
extern TFormOptions *FormOptions;
