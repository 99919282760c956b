// The table lists of the database ("Recettes", "Ingrédients", "Rayons en magasin", "Livres
// de cuisine", "Unités de mesure"), each shown by its own routine.
#pragma once

void ShowRecetteList();
void ShowIngredientList();
void ShowRayonList();
void ShowLivreList();
void ShowUniteList();
