// The ingredient-line window: adds or changes one ingredient line of a recipe, or (mode 2)
// only picks an ingredient, a quantity, a unit and a note for the shopping list.
#pragma once

#include "UnitFormCall.h"

#include <QDialog>
#include <QString>

#include <memory>

class TFormIngredients : public QDialog
{
    Q_OBJECT

public:
    explicit TFormIngredients(QWidget *Parent = nullptr);
    ~TFormIngredients() override;

    // Pick results, read by the caller after a result of mrOk in mode 2.
    double Quantity = 0;
    int UnitCode = 0;
    QString UnitName;
    int IngCode = 0;
    QString IngName;
    QString Note;
    int RayCode = 0;
};

// The edit function of a recipe's ingredient lines.
int ShowFormIngredients(int Mode, TStringList *Values, const QString &Table, const QString &Caption,
                        const TNameEvent &OnDone);
// The same set-up without the show: the caller shows the window and reads the pick results.
std::unique_ptr<TFormIngredients> NewFormIngredients(int Mode, TStringList *Values, const QString &Table,
                                                     const QString &Caption, const TNameEvent &OnDone);
