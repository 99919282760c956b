#include "UnitList.h"

#include "KVXStringList.h"

// The window itself comes with the table lists; this is its interface only.
TFormList::TFormList(QWidget *Parent) : QDialog(Parent) {}
TFormList::~TFormList() = default;
void TFormList::IncludeInPanel(QWidget *) {}
void TFormList::RefreshList(bool) {}
void TFormList::EvtRefresh(const QString &) {}
void TFormList::GridAutoWidth() {}

std::unique_ptr<TFormList> NewFormList(std::unique_ptr<TStringList>, int, std::unique_ptr<TStringList>,
                                       std::unique_ptr<TStringList>, std::unique_ptr<TStringList>, const QString &,
                                       const QString &, TEditFunc, const QString &)
{
    return std::make_unique<TFormList>();
}

void ShowFormList(std::unique_ptr<TStringList>, int, std::unique_ptr<TStringList>, std::unique_ptr<TStringList>,
                  std::unique_ptr<TStringList>, const QString &, const QString &, TEditFunc, const QString &)
{
}
