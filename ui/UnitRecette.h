// The recipe editor: the window in which the user creates or edits one recipe, with its
// ingredient lines in an embedded list. As the recipe list's edit function it adds or edits;
// as the recipe card ("Fiche recette") it opens one recipe by its code.
#pragma once

#include "UnitFormCall.h"

#include <QDialog>
#include <QString>

#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class TFormList;
class TMemo;
class TQlTable;
class TSevenButton;
class TStringList;

class TFormRecette : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 632;
    static constexpr int ClientHeight = 785;

    explicit TFormRecette(QWidget *Parent = nullptr);
    // A new recipe that was never saved is deleted here at the latest, whatever way the
    // window ends.
    ~TFormRecette() override;

    // Fills the inputs (edit mode) or writes the placeholder row (add mode), then embeds the
    // recipe's ingredient lines.
    void LoadFields();
    // Reloads the cookbook combo, selecting the cookbook whose code is Wanted (none for 0).
    void LoadLivre(int Wanted);
    // The code of the selected cookbook, 0 when none is selected.
    int SelectedLivCode() const;
    // Asked before the window closes without OK: true when it may close. In add mode the
    // user confirms, and the placeholder row goes with its lines.
    bool CancelRec();

    // 0 add, 1 edit.
    int Mode = 0;
    // Borrowed "name=value" lines of the recipe's fields in edit mode.
    TStringList *Values = nullptr;
    QString Table;
    TNameEvent OnDone;
    // The recipe being edited: the Values "code", or the placeholder row of a new recipe.
    int RecCode = 0;
    // The cookbooks, row i for item i of ComboLivre.
    std::unique_ptr<TQlTable> LivTable;
    // The recipe's ingredient lines, embedded in PanelIng.
    std::unique_ptr<TFormList> IngList;
    // A placeholder row of this window is in the database and not yet saved.
    bool PlaceholderLeft = false;

public slots:
    // Every way of closing but OK (cancel button, Escape, the close box) asks CancelRec.
    void done(int Result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *Event) override;

private:
    QLabel *LbName = nullptr;
    QLineEdit *EdName = nullptr;
    QFrame *PanelPhoto = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *LbPhotoHint = nullptr;
    QLabel *LbDesc = nullptr;
    TMemo *MemoDesc = nullptr;
    QLabel *LbType = nullptr;
    QComboBox *ComboType = nullptr;
    QLabel *LbPers = nullptr;
    QLineEdit *EdPers = nullptr;
    QLabel *LbTprep = nullptr;
    QLineEdit *EdTprep = nullptr;
    QLabel *LbRepas = nullptr;
    QComboBox *ComboRepas = nullptr;
    QLabel *LbTcuisson = nullptr;
    QLineEdit *EdTcuisson = nullptr;
    QLabel *LbSaison = nullptr;
    QComboBox *ComboSaison = nullptr;
    QLabel *LbTrepos = nullptr;
    QLineEdit *EdTrepos = nullptr;
    QLabel *LbLivre = nullptr;
    QComboBox *ComboLivre = nullptr;
    TSevenButton *BtLivre = nullptr;
    QLabel *LbPage = nullptr;
    QLineEdit *EdPage = nullptr;
    QLabel *LbPageHint = nullptr;
    QLabel *LbLink = nullptr;
    QLineEdit *EdLink = nullptr;
    QLabel *LbFileTitle = nullptr;
    QLabel *LbFile = nullptr;
    TSevenButton *BtLoadFile = nullptr;
    TSevenButton *BtOpenFile = nullptr;
    QLabel *LbIng = nullptr;
    QFrame *PanelIng = nullptr;
    QLabel *LbPrep = nullptr;
    TMemo *MemoPrep = nullptr;
    TSevenButton *BtOk = nullptr;
    TSevenButton *BtCancel = nullptr;

    void CreatePanelTop();
    void CreatePanelTimes();
    void CreatePanelBook();
    void CreatePanelBottom();
    void ConnectEvents();
    void BtLivreClick();
    void BtOkClick();
    bool CheckFields();
    void SqlInsert();
    // False when the recipe is no longer in the table (nothing was written).
    bool SqlUpdate();
    void IncludeFormIng();
    void DeletePlaceholder();
    QString Value(const QString &Name) const;
};

// The recipe list's edit function: 1 after OK, 2 otherwise.
int ShowFormRecette1(int Mode, TStringList *Values, const QString &Table, const QString &Caption,
                     const TNameEvent &OnDone);
// Shows the card of recipe Code modally under Caption and returns its modal result (1 OK,
// 2 cancelled). A code that the database does not hold raises a UserException whose user
// text names it.
int ShowFormRecette2(const QString &Caption, int Code);
