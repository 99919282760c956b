// The recipe card ("Fiche recette"): the editor of one recipe of the database.
#pragma once

#include <QString>

// Shows the card of recipe Code modally under Caption and returns its modal result (1 OK,
// 2 cancelled). The card itself comes with the recipe editor; until then nothing is shown
// and the result is 2.
int ShowFormRecette2(const QString &Caption, int Code);
