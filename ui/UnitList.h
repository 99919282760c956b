// The generic table list window: the rows of one query in a drawn grid, filtered by name,
// with "Ajouter", "Modifier", "Supprimer" and, for the ingredients, "Fusionner".
#pragma once

#include "UnitFormCall.h"

#include <QDialog>

#include <memory>

class TStringList;

class TFormList : public QDialog
{
    Q_OBJECT

public:
    explicit TFormList(QWidget *Parent = nullptr);
    ~TFormList() override;

    // Embeds the window in Panel of another window (the recipe card's ingredient lines).
    void IncludeInPanel(QWidget *Panel);
    // Reloads the grid; Focus gives it the keyboard focus.
    void RefreshList(bool Focus);
    // The done callback handed to the edit function: reloads and reselects the row Name.
    void EvtRefresh(const QString &Name);
    // Gives the free width to the column that takes it.
    void GridAutoWidth();
};

// Creates the list window unshown. The window owns the four string lists from this call on.
std::unique_ptr<TFormList> NewFormList(std::unique_ptr<TStringList> Columns, int DisplayCol,
                                       std::unique_ptr<TStringList> Fields, std::unique_ptr<TStringList> Keys,
                                       std::unique_ptr<TStringList> AddDefaults, const QString &SelectSql,
                                       const QString &TableName, TEditFunc EditFunc, const QString &Caption);
// NewFormList, then shows the window modally and frees it.
void ShowFormList(std::unique_ptr<TStringList> Columns, int DisplayCol, std::unique_ptr<TStringList> Fields,
                  std::unique_ptr<TStringList> Keys, std::unique_ptr<TStringList> AddDefaults,
                  const QString &SelectSql, const QString &TableName, TEditFunc EditFunc, const QString &Caption);
