#include "UnitIngredients.h"

#include "UnitConst.h"

// The window itself comes with the editors; this is its interface only.
TFormIngredients::TFormIngredients(QWidget *Parent) : QDialog(Parent) {}
TFormIngredients::~TFormIngredients() = default;

int ShowFormIngredients(int, TStringList *, const QString &, const QString &, const TNameEvent &)
{
    return mrCancel;
}

std::unique_ptr<TFormIngredients> NewFormIngredients(int, TStringList *, const QString &, const QString &,
                                                     const TNameEvent &)
{
    return std::make_unique<TFormIngredients>();
}
