#include "UnitFormCall.h"

// The list windows come with the generic table list; until then the buttons open nothing.
void ShowRecetteList() {}
void ShowIngredientList() {}
void ShowRayonList() {}
void ShowLivreList() {}
void ShowUniteList() {}
