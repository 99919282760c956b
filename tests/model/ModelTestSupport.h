// The model tests' fixture: a program folder of its own with a fresh copy of the recipe
// schema of data/, a fixed clock (Monday 4 May 2026, 10:00) and a seeded random generator.
#pragma once

#include "RecipeBase.h"
#include "TestSupport.h"
#include "UnitDatabase.h"
#include "UnitRandom.h"
#include "UnitRecetteList.h"

#include <gtest/gtest.h>

inline const QString RecetteMissing =
    QStringLiteral("Soit la recette n'existe pas dans la base, soit elle est déjà présente dans la liste.");

class TModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ColorRotation = &Rotation;
        SetClock(Start);
        RandSeed(42);
        OpenDatabase();
    }
    void TearDown() override
    {
        FreeDatabase();
        SetNowFunction({});
        ColorRotation = nullptr;
    }

    // Replaces the database by a new copy: the schema alone, or with the starter rows.
    void OpenDatabase(bool WithStarter = false)
    {
        FreeDatabase();
        ASSERT_TRUE(MakeRecipeBase(Program.Path(QStringLiteral("recipes.db3")), WithStarter));
        SetDatabase(std::make_unique<TQlDatabase>(Program.Path(QStringLiteral("recipes.db3"))));
    }
    void SetClock(TDateTime Value)
    {
        SetNowFunction([Value] { return Value; });
    }
    void Exec(const QString &SQL) { Database->ExecSQL(SQL); }
    int Int(const QString &SQL) { return Database->GetTableString(SQL).toInt(); }
    // A recipe of that meal, dish type, season and persons; returns its code.
    int AddRecipe(const QString &Name, int Repas, int Type, int Saison = 0, int NbPers = 4)
    {
        Database->AddParamText(":name", Name);
        Exec(QStringLiteral("INSERT INTO recette (name, nbpers, repas, type_, saison) VALUES (:name, %1, %2, %3, %4)")
                 .arg(NbPers)
                 .arg(Repas)
                 .arg(Type)
                 .arg(Saison));
        return Int(QStringLiteral("select max(code) from recette"));
    }

    TTestProgram Program;
    TColorRotation Rotation;
    TRecetteList Menu;
    const TDateTime Start = EncodeDate(2026, 5, 4) + EncodeTime(10, 0, 0, 0);
};
