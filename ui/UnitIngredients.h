// The ingredient-line window: adds or changes one ingredient line of a recipe, or (mode 2)
// only picks an ingredient, a quantity, a unit and a note for the shopping list.
#pragma once

#include "UnitFormCall.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TQlTable;
class TSevenButton;
class TStringList;

class TFormIngredients : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 640;
    static constexpr int ClientHeight = 274;

    explicit TFormIngredients(QWidget *Parent = nullptr);
    ~TFormIngredients() override;

    // Both combos reloaded without selection (the edited line's in mode 1), quantity and
    // note emptied (the edited line's in mode 1).
    void LoadFields();
    void LoadIng();
    void LoadUnit();
    // Mode 2: the pick results from the inputs.
    void SetProperties();

    // 0 add, 1 edit, 2 pick.
    int Mode = 0;
    // Borrowed "name=value" lines: reccode, and in mode 1 ingcode, quantite, unitecode, note.
    TStringList *Values = nullptr;
    QString Table;
    TNameEvent OnDone;
    // The ingredients and units, row i for item i of their combo.
    std::unique_ptr<TQlTable> IngTable;
    std::unique_ptr<TQlTable> UnitTable;
    // Each combo item folded to US-ASCII, item for item, for the type-ahead.
    QStringList IngKeys;
    QStringList UnitKeys;
    // The type-ahead text shared by both combos and the time of its last key.
    QString SearchText;
    quint32 SearchTick = 0;

    // Pick results, read by the caller after a result of mrOk in mode 2.
    double Quantity = 0;
    int UnitCode = 0;
    QString UnitName;
    int IngCode = 0;
    QString IngName;
    QString Note;
    int RayCode = 0;

public slots:
    // Escape, "Annuler"/"Terminer" and the close box all answer 2.
    void reject() override;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void showEvent(QShowEvent *Event) override;

private:
    QLabel *LbQuantity = nullptr;
    QLineEdit *EdQuantity = nullptr;
    QLabel *LbQuantityHint = nullptr;
    QLabel *LbUnit = nullptr;
    QComboBox *ComboUnit = nullptr;
    TSevenButton *BtUnite = nullptr;
    QLabel *LbUnitHint = nullptr;
    QLabel *LbIng = nullptr;
    QComboBox *ComboIng = nullptr;
    TSevenButton *BtIng = nullptr;
    QLabel *LbIngHint = nullptr;
    QLabel *LbNote = nullptr;
    QLineEdit *EdNote = nullptr;
    QCheckBox *CbDontClose = nullptr;
    QLabel *LbDontCloseHint = nullptr;
    QLabel *LbTabHint = nullptr;
    TSevenButton *BtOk = nullptr;
    TSevenButton *BtCancel = nullptr;

    void CreateControls();
    void ConnectEvents();
    void FormShow();
    void BtUniteClick();
    void BtIngClick();
    void BtOkClick();
    // An alert, the focus on the faulty input and false when the line is refused.
    bool CheckFields();
    void SqlInsert();
    // False when the edited line is no longer in the table (nothing was written).
    bool SqlUpdate();
    // Queues the parameters that the insert and the update share.
    void AddLineParams();
    // The quantity typed, with "," or "." as decimal separator; 0 when empty or not a number.
    double TypedQuantity() const;
    QString Value(const QString &Name) const;
    // One key of the type-ahead in Combo; true when the key is taken.
    bool ComboKeyPress(QComboBox *Combo, const QStringList &Keys, QKeyEvent *Key);
};

// The edit function of a recipe's ingredient lines.
int ShowFormIngredients(int Mode, TStringList *Values, const QString &Table, const QString &Caption,
                        const TNameEvent &OnDone);
// The same set-up without the show: the caller shows the window and reads the pick results.
std::unique_ptr<TFormIngredients> NewFormIngredients(int Mode, TStringList *Values, const QString &Table,
                                                     const QString &Caption, const TNameEvent &OnDone);
