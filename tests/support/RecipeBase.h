// Recipe databases built from the shipped SQL of data/, for the tests of the database layer
// and above.
#pragma once

#include <QString>

// Writes FileName (replacing it) as a copy of a recipe base: the schema of data/ with its
// starter rows, or the schema alone for a test that adds its own recipes. Each kind is built
// once per test program (the starter rows take a while), then copied. False when the copy
// fails; a broken shipped SQL file raises the database layer's exception.
bool MakeRecipeBase(const QString &FileName, bool WithStarter = true);
