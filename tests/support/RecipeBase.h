// Recipe databases built from the shipped SQL of data/, for the tests of the database layer
// and above, and a menu written as one line, for the tests of the model and the windows.
#pragma once

#include <QString>

// Writes FileName (replacing it) as a copy of a recipe base: the schema of data/ with its
// starter rows, or the schema alone for a test that adds its own recipes. Each kind is built
// once per test program (the starter rows take a while), then copied. False when the copy
// fails; a broken shipped SQL file raises the database layer's exception.
bool MakeRecipeBase(const QString &FileName, bool WithStarter = true);

#if __has_include("UnitRecetteList.h")
class TRecetteList;

// The menu as one line: "D<day of month>" a day header, "M<meal>" a meal header, then a recipe
// as its name, or as "r<dish type>" when ByType.
QString MenuShape(const TRecetteList &Menu, bool ByType = false);
#endif
