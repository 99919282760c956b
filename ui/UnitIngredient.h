// The ingredient editor: adds or renames an ingredient and sets its shop shelf. It is the
// edit function of the ingredient list ("Ingrédients").
#pragma once

#include "UnitFormCall.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TQlTable;
class TSevenButton;
class TStringList;

class TFormIngredient : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 575;
    static constexpr int ClientHeight = 224;

    explicit TFormIngredient(QWidget *Parent = nullptr);
    ~TFormIngredient() override;

    // Shelves and name for a new entry (empty name) or for the edited ingredient.
    void LoadFields();
    // Reloads the shelf combo. In edit mode the ingredient's shelf is selected; in add mode
    // with "Bloquer le rayon sélectionné" ticked the shelf selected before stays selected.
    void LoadRayon();
    // The code of the selected shelf, 0 when none is selected.
    int SelectedRayCode() const;

    // 0 add, 1 edit.
    int Mode = 0;
    // Borrowed "name=value" lines of the edited ingredient: code, ingname, raycode.
    TStringList *Values = nullptr;
    QString Table;
    TNameEvent OnDone;
    // The shelves, row i for item i of ComboRayon.
    std::unique_ptr<TQlTable> RayTable;

public slots:
    // Escape, "Annuler"/"Terminer" and the close box all answer 2.
    void reject() override;

protected:
    void showEvent(QShowEvent *Event) override;

private:
    QLabel *LbName = nullptr;
    QLineEdit *EdName = nullptr;
    QLabel *LbRayon = nullptr;
    QComboBox *ComboRayon = nullptr;
    TSevenButton *BtRayon = nullptr;
    QLabel *LbRayonHint = nullptr;
    QCheckBox *CbDontClose = nullptr;
    QLabel *LbDontCloseHint = nullptr;
    QCheckBox *CbFixRayon = nullptr;
    QLabel *LbFixRayonHint = nullptr;
    QLabel *LbTabHint = nullptr;
    TSevenButton *BtOk = nullptr;
    TSevenButton *BtCancel = nullptr;

    void CreateControls();
    void ConnectEvents();
    void FormShow();
    void CbDontCloseClick();
    void BtRayonClick();
    void BtOkClick();
    // An alert and false when the name is empty.
    bool CheckFields();
    void SqlInsert();
    // False when the edited ingredient is no longer in the table (nothing was written).
    bool SqlUpdate();
    // The Values line Name, "" when there is no such line.
    QString Value(const QString &Name) const;
};

// The edit function of the ingredient list: 1 after a save that closed the window, else 2.
int ShowFormIngredient(int Mode, TStringList *Values, const QString &Table, const QString &Caption,
                       const TNameEvent &OnDone);

// What the table editors share.
namespace TableEditors {
// The window the editors open over, so that a modal editor stays above it.
QWidget *ActiveParent();
// "Terminer" while a run of quick entries goes on, "Annuler" otherwise.
QString CancelCaption(bool DontClose);
// Hints under the inputs: Calibri 13 px italic in the hint colour.
QLabel *NewHint(QWidget *Parent, const QString &Name, const QString &Text, const QPoint &Place);
// A label before an input: bold Verdana, grey, or red when the input is required.
QLabel *NewFieldLabel(QWidget *Parent, const QString &Name, const QString &Text, const QPoint &Place,
                      bool Required = false);
// A drawn button of the editors' bottom row, and the 24 x 24 picture button beside a combo
// that opens the list of its table (out of the tab order).
TSevenButton *NewButton(QWidget *Parent, const QString &Name, const QString &Caption, const QRect &Place,
                        int ModalResult);
TSevenButton *NewPictureButton(QWidget *Parent, const QString &Name, const QString &Picture, const QPoint &Place,
                               const QString &Hint);
// False, after an alert and with the focus on Edit, when Edit holds no name.
bool CheckName(QLineEdit *Edit);
// Delete (without a modifier) in Combo takes its choice away.
void ClearOnDelete(QComboBox *Combo);
// Runs an editor's set-up when it shows. When the set-up fails, the error box shows and the
// window then closes with mrCancel, without the questions of its own closing: a half-built
// editor must never be saved.
void SetUpOnShow(QDialog *Form, const std::function<void()> &SetUp);
// Hands an editor what it edits, and the title and icon of its table.
template <class TForm>
void SetUpEditor(TForm &Form, int Mode, TStringList *Values, const QString &Table, const QString &Caption,
                 const TNameEvent &OnDone)
{
    Form.Mode = Mode;
    Form.Values = Values;
    Form.Table = Table;
    Form.OnDone = OnDone;
    Form.setWindowTitle(Caption);
    LoadTableIcon(&Form, Table);
}
// Fills Combo with the "name" column of the rows of Sql and selects the row whose code (first
// column) is Wanted, none when Wanted is 0; Keys, when given, gets each name folded to US-ASCII
// for the type-ahead. The table's row i stands for item i of the combo.
std::unique_ptr<TQlTable> LoadCombo(QComboBox *Combo, const QString &Sql, int Wanted, QStringList *Keys = nullptr);
// The code of the chosen item of a combo filled by LoadCombo, 0 when none; the table is left
// on that row.
int SelectedCode(const QComboBox *Combo, TQlTable *Table);
// A drop-down list showing 25 rows.
QComboBox *NewCombo(QWidget *Parent, const QString &Name, const QRect &Place);

} // namespace TableEditors
