// The prompt for the name of a server menu: asked by the main window when it stores a new
// menu on the server, and by the server menu list when it renames one.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class TSevenButton;

class TFormMenuName : public QDialog
{
    Q_OBJECT

public:
    static constexpr int FormWidth = 340;
    static constexpr int FormHeight = 120;
    static constexpr int MaxNameLength = 128;

    explicit TFormMenuName(QWidget *Parent = nullptr);
    ~TFormMenuName() override;

    // The text of the name field, untrimmed.
    QString GetName() const;
    // An empty name warns ("Alerte"), gives the field the focus back and fails; any other
    // text passes, blanks included.
    bool CheckName();

public slots:
    // Escape and the window's close button answer 2, like "Annuler".
    void reject() override;

protected:
    void showEvent(QShowEvent *Event) override;
    // Builds the controls before the first showing.
    void setVisible(bool Visible) override;

private:
    friend bool ShowFormName(const QString &Caption, const QString &Name);

    QLabel *Label1 = nullptr;
    QLineEdit *EdName = nullptr;
    QLabel *Label3 = nullptr;
    TSevenButton *BtOk = nullptr;
    TSevenButton *BtCancel = nullptr;

    // The controls, built at the first showing or use.
    void CreateContent();
    void CreateControls();
    void ConnectEvents();
    void FormShow();
    void BtOkClick();
};

// The user text put in front of a server's refusal of a typed name (new menu or rename).
QString DuplicateNameText();

// Sets the prompt's caption and name, shows it modally; true when it closed with OK.
bool ShowFormName(const QString &Caption, const QString &Name);

// The window of the whole run, created at start-up.
extern TFormMenuName *FormMenuName;
