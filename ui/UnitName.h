// The name editor: the edit window of the tables that hold only a name (units of measure,
// cookbooks, shop shelves), opened by their list windows through the edit-form protocol.
#pragma once

#include "UnitFormCall.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class TSevenButton;

class TFormName : public QDialog
{
    Q_OBJECT

public:
    // The client area of the window, which is not sizeable.
    static constexpr int ClientWidth = 359;
    static constexpr int ClientHeight = 98;
    // Longest name the database is handed.
    static constexpr int MaxNameLength = 128;

    explicit TFormName(QWidget *Parent = nullptr);
    ~TFormName() override;

    // Fills the inputs from Values: the row's name when editing, nothing when adding.
    void LoadFields();
    // True when the inputs can be saved; otherwise tells the user and focuses the input.
    bool CheckFields();
    void SqlInsert();
    // False when the edited row is no longer in the table (nothing was written).
    bool SqlUpdate();

    // Called with the saved name after each save; may be empty.
    TNameEvent OnDone;
    // 0 add, 1 edit; any other mode saves nothing.
    int Mode = 0;
    // The edited row's "name=value" lines, borrowed; may be null.
    TStringList *Values = nullptr;
    // The table written to: unite, livre or rayon.
    QString Table;

public slots:
    // The close box, like Escape and "Annuler", answers mrCancel.
    void reject() override;

protected:
    void showEvent(QShowEvent *Event) override;

private:
    // Controls.
    QLabel *Label1 = nullptr;
    QLineEdit *EdName = nullptr;
    TSevenButton *BtOk = nullptr;
    TSevenButton *BtCancel = nullptr;
    QLabel *Label3 = nullptr;

    void CreateControls();
    void ConnectEvents();
    void BtOkClick();
};

namespace UnitName {

// The edit function of unite, livre and rayon (TEditFunc): shows the name editor modally and
// returns mrOk after a save, mrCancel when cancelled.
int ShowFormName(int Mode, TStringList *Values, const QString &Table, const QString &Caption, const TNameEvent &OnDone);

} // namespace UnitName
