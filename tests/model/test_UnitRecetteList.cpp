// The menu list, its candidate queries and random generation, and the shopping-list query.
#include "ModelTestSupport.h"
#include "UnitIngredientList.h"

#include <QSet>

namespace {

QSet<QString> Names(TQlTable &Table)
{
    QSet<QString> Result;
    for (Table.MoveTo(0); !Table.Eof(); Table.Next())
        Result << Table.FieldAsString(QStringLiteral("name"));
    return Result;
}

// What draws of GetRandomRecette give, over enough seeds to meet each of a few candidates.
QSet<QString> Drawn(const TRecetteList &Menu, int Repas, int Type, bool Saison)
{
    QSet<QString> Result;
    for (quint32 Seed = 0; Seed < 64; ++Seed) {
        RandSeed(Seed);
        Result += Names(*Menu.GetRandomRecette(Repas, Type, Saison));
    }
    return Result;
}

} // namespace

class TRecetteListTest : public TModelTest
{
protected:
    // On the schema alone: entrées E1 E2, plats P1..P3, desserts D1 D2, boisson B1, all for
    // both meals and seasons.
    void SetUp() override
    {
        TModelTest::SetUp();
        for (const char *Name : {"E1", "E2", "P1", "P2", "P3", "D1", "D2", "B1"})
            Codes[Name] = AddRecipe(QString::fromLatin1(Name), 0, QByteArray("EPDB").indexOf(Name[0]));
    }
    void Add(const char *Name, int Repas, int Day, int Pers = 2)
    {
        Menu.AddRecetteFromCode(Repas, Pers, Start + Day, Code(Name));
    }
    int Code(const char *Name) { return Codes.value(Name); }

    QHash<QByteArray, int> Codes;
};

TEST_F(TRecetteListTest, LinesStandInDayMealAndDishTypeOrder)
{
    EXPECT_EQ(Menu.GetCodeList(), QString());
    EXPECT_EQ(Menu.GetFirstDate(), Start);
    Add("P1", 2, 0);
    Add("P2", 1, 0);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1 P2 M2 P1"));
    Add("P3", 1, 0);
    Add("E1", 1, 0);
    Add("B1", 1, 0);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1 E1 P2 P3 B1 M2 P1"));
    EXPECT_EQ(Menu.GetDate(0)->Color, KVXHtmlToColor(QStringLiteral("#6C3288")));
    EXPECT_EQ(Menu.GetRepas(1)->Color, KVXHtmlToColor(QStringLiteral("#C7C7C7")));

    // An earlier day goes first with the next colour; the later day keeps its own.
    Add("D1", 2, -1);
    EXPECT_EQ(Menu.GetDate(0)->Color, KVXHtmlToColor(QStringLiteral("#3D468A")));
    EXPECT_EQ(Menu.GetDate(3)->Color, KVXHtmlToColor(QStringLiteral("#6C3288")));
    // 22:30 on the first day joins its block, as a whole day.
    Menu.AddRecetteFromCode(2, 3, Start + 0.52, Code("E2"));
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D3 M2 D1 D4 M1 E1 P2 P3 B1 M2 E2 P1"));
    EXPECT_EQ(Menu.GetRecette(10)->MenuDate, DateOf(Start));
    EXPECT_EQ(Menu.GetRepas(9)->Date, DateOf(Start));
    EXPECT_EQ(Menu.GetMenuRepas(3, 9), 9);
    // Codes 1 to 8 go to E1, E2, P1, P2, P3, D1, D2, B1.
    EXPECT_EQ(Menu.GetCodeList(), QStringLiteral("6,1,4,5,8,2,3"));
    EXPECT_EQ(Menu.GetFirstDate(), DateOf(Start) - 1);
}

TEST_F(TRecetteListTest, DeleteMoveAndShift)
{
    Add("P1", 1, 0);
    Add("D1", 2, 0);
    Add("D2", 2, 0);
    Add("P2", 1, 1);
    Menu.DeleteLine(2);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1 M2 D1 D2 D5 M1 P2"));
    Menu.DeleteLine(2);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1 D5 M1 P2"));
    Menu.DeleteLine(2);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1"));
    EXPECT_EQ(FailureOf([&] { Menu.DeleteLine(7); }).Message,
              QStringLiteral("[TRecetteList.DeleteLine] List index out of bounds (7)"));

    Menu.Clear();
    Add("P1", 1, 0);
    Add("D1", 1, 0);
    Add("E1", 2, 1);
    Add("D2", 2, 1);
    // Not onto its own day and meal, nor onto its own day header (the meal is kept).
    EXPECT_FALSE(Menu.MoveAccepted1(2, 3) || Menu.MoveAccepted1(2, 0) || Menu.MoveAccepted1(1, 6));
    EXPECT_TRUE(Menu.MoveAccepted1(2, 6) && Menu.MoveAccepted1(2, 4));
    // Down into dish-type order, then up onto a day header, whose missing meal is made.
    Menu.MoveRecette(2, 7);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1 D1 D5 M2 E1 P1 D2"));
    EXPECT_EQ(Menu.GetRecette(6)->MenuDate, DateOf(Start) + 1);
    EXPECT_EQ(Menu.GetRecette(6)->MenuRepas, 2);
    Menu.MoveRecette(5, 0);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1 D1 M2 E1 D5 M2 P1 D2"));

    Add("P2", 1, 2);
    Menu.ShiftRecette(5, 2);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1 D1 M2 E1 D7 M2 P1 D2 D8 M1 P2"));
    EXPECT_EQ(Menu.GetRepas(6)->Date, DateOf(Start) + 3);
    Menu.ShiftRecette(5, -4);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D30 M1 D1 M2 E1 D3 M2 P1 D2 D8 M1 P2"));
    EXPECT_EQ(Menu.GetRecette(2)->MenuDate, DateOf(Start) - 4);
}

TEST_F(TRecetteListTest, CandidatesLeaveOutTheMenuTheHistoryOtherMealsAndSeasons)
{
    OpenDatabase();
    const int Tomorrow = AddRecipe(QStringLiteral("Tomorrow"), 1, 0);
    const int Yesterday = AddRecipe(QStringLiteral("Yesterday"), 0, 0);
    const int Free = AddRecipe(QStringLiteral("Free"), 1, 0);
    AddRecipe(QStringLiteral("Soir"), 2, 0);
    AddRecipe(QStringLiteral("Spring"), 1, 0, 1);
    AddRecipe(QStringLiteral("Autumn"), 1, 0, 2);
    // julianday('now') is the engine's UTC clock, not the program's.
    const QDate Utc = QDateTime::currentDateTimeUtc().date();
    const auto Record = [&](int Code, int Days) {
        Exec(QStringLiteral("INSERT INTO historique (reccode, recdate) VALUES (%1, '%2')")
                 .arg(Code)
                 .arg(Utc.addDays(Days).toString(Qt::ISODate)));
    };
    Record(Tomorrow, 1);
    Record(Yesterday, -1);

    // History off: only a later day is left out; never a soir-only recipe for midi.
    EXPECT_EQ(Drawn(Menu, 1, 0, false), (QSet<QString>{"Yesterday", "Free", "Spring", "Autumn"}));
    EXPECT_EQ(Names(*Menu.GetRecetteList1(2, 0, false, 0)), (QSet<QString>{"Yesterday", "Soir"}));
    Config->SetHistoEnabled(true);
    Config->SetHistoDays(30);
    EXPECT_EQ(Drawn(Menu, 1, 0, false), (QSet<QString>{"Free", "Spring", "Autumn"}));
    // The season of the program clock: May, then November.
    EXPECT_EQ(Drawn(Menu, 1, 0, true), (QSet<QString>{"Free", "Spring"}));
    SetClock(EncodeDate(2026, 11, 10));
    EXPECT_EQ(Drawn(Menu, 1, 0, true), (QSet<QString>{"Free", "Autumn"}));

    // One candidate left: the first day takes it, the second finds none and the first stays.
    Record(Free, -1);
    Menu.AddRandomRecette(1, 2, Start, 0, true);
    const TFailure Failure = FailureOf([&] { Menu.AddRandomRecette(1, 2, Start + 1, 0, true); });
    const QString NoneLeft = QStringLiteral(
        "Plus aucune recette disponible dans la base.\r\nVérifiez que votre base contient suffisamment de recettes "
        "par rapport au nombre de menus à générer.\r\nVérifiez également l'historique dans les options.");
    EXPECT_EQ(Failure.Message + Failure.UserMessage, "[TRecetteList.GetRandomRecette] " + NoneLeft + NoneLeft);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1 Autumn"));
}

TEST_F(TRecetteListTest, FiltersKeepTheMatchingRecipes)
{
    TRecFilter Filter;
    Filter.Name = QStringLiteral("x");
    ResetRecFilter(Filter);
    EXPECT_EQ(Menu.GetFilter(Filter), QString());
    Database->ParamsClear();

    // From 10 to 30 minutes inclusive; season 1 lets the recipes of all seasons through.
    for (int Minutes : {9, 10, 30, 31}) {
        const int Code = AddRecipe(QStringLiteral("T%1").arg(Minutes), 0, 1, Minutes == 30 ? 2 : 0);
        Exec(QStringLiteral("UPDATE recette SET tprep=%1, trepos=0 WHERE code=%2").arg(Minutes).arg(Code));
    }
    AddRecipe(QStringLiteral("Tarte"), 1, 1, 1);
    Filter.TimeOp = 3;
    Filter.Time1 = 10;
    Filter.Time2 = 30;
    EXPECT_EQ(Names(*Menu.GetRecetteList2(1, 1, Filter)), (QSet<QString>{"T10", "T30"}));
    ResetRecFilter(Filter);
    Filter.Saison = 1;
    Filter.Name = QStringLiteral("t");
    EXPECT_EQ(Names(*Menu.GetRecetteList2(1, 1, Filter)), (QSet<QString>{"T9", "T10", "T31", "Tarte"}));
}

TEST_F(TRecetteListTest, AddReplaceUpdateAndModify)
{
    const int Soir = AddRecipe(QStringLiteral("Soir"), 2, 1);
    AddRecipe(QStringLiteral("Midi"), 1, 3);
    Add("B1", 2, 0, 3);
    EXPECT_EQ(FailureOf([&] { Add("B1", 1, 0); }).UserMessage, RecetteMissing);
    EXPECT_EQ(FailureOf([&] { Menu.AddRecetteFromCode(1, 3, Start, 999); }).UserMessage, RecetteMissing);
    EXPECT_EQ(FailureOf([&] { Menu.AddRecetteFromName(1, 3, Start, QStringLiteral("b1")); }).UserMessage,
              RecetteMissing);

    // At random for a soir boisson: never itself, never a midi-only recipe; the line keeps its
    // place and planning. By code: not re-sorted, even with another dish type.
    EXPECT_EQ(FailureOf([&] { Menu.ReplaceRecette(2, -1, false); }).Raised, true);
    Menu.ReplaceRecette(2, Soir, false);
    Add("D1", 2, 0);
    Menu.ReplaceRecette(3, Code("E1"), false);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M2 Soir E1"));
    EXPECT_EQ(Menu.GetRecette(2)->MenuPers, 3);
    EXPECT_EQ(FailureOf([&] { Menu.ReplaceRecette(3, Code("E1"), false); }).UserMessage, RecetteMissing);

    // Reloaded from the database although it is in the menu; headers are refused.
    Exec(QStringLiteral("UPDATE recette SET name='Entrée du jour' WHERE code=%1").arg(Code("E1")));
    Menu.UpdateInfos(3);
    EXPECT_EQ(Menu.GetRecette(3)->Name, QStringLiteral("Entrée du jour"));
    const QString WrongKind = QStringLiteral("Impossible de mettre à jour les informations de la recette,\r\n"
                                             "la ligne sélectionnée est de type incorrect (%1).");
    const TFailure OnDay = FailureOf([&] { Menu.UpdateInfos(0); });
    EXPECT_EQ(OnDay.UserMessage, WrongKind.arg(QStringLiteral("Date")));
    EXPECT_EQ(OnDay.Message, QStringLiteral("[TRecetteList.UpdateInfos] ") + WrongKind.arg(QStringLiteral("Date")));
    EXPECT_EQ(FailureOf([&] { Menu.UpdateInfos(1); }).UserMessage, WrongKind.arg(QStringLiteral("Repas")));

    // Same day and meal: persons only. Another meal: moved there in order.
    Menu.ModifyRecette(2, 2, Start + 0.3, 5);
    EXPECT_EQ(Menu.GetRecette(2)->MenuPers, 5);
    Add("D2", 1, 0);
    Menu.ModifyRecette(5, 1, Start, 4);
    EXPECT_EQ(MenuShape(Menu), QStringLiteral("D4 M1 Entrée du jour D2 M2 Soir"));
    EXPECT_EQ(Menu.GetRecette(2)->MenuPers, 4);

    // Without a database (a failed opening leaves the window up): an error, not a crash.
    FreeDatabase();
    EXPECT_EQ(FailureOf([&] { Menu.AddRandomRecette(1, 2, Start, 1, false); }).Message,
              QStringLiteral("[TRecetteList.GetRandomRecette] Database is not open"));
}

TEST_F(TRecetteListTest, ShoppingListScalesSumsAndGroupsByShelf)
{
    TIngredientList List;
    Menu.GetIngredientList(List);
    EXPECT_EQ(List.Count(), 0);

    Exec(QStringLiteral("INSERT INTO rayon (name) VALUES ('Frais'), ('Sec')"));
    Exec(QStringLiteral("INSERT INTO unite (name) VALUES ('g')"));
    Exec(QStringLiteral("INSERT INTO ingredient (name, raycode) VALUES ('beurre', 1), ('farine', 2), ('sel', NULL), "
                        "('poivre', NULL)"));
    const int A = AddRecipe(QStringLiteral("Quiche"), 0, 1, 0, 4);
    const int B = AddRecipe(QStringLiteral("Sablés"), 0, 2, 0, 2);
    Exec(QStringLiteral("INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note) VALUES "
                        "(%1, 1, 200, 1, ''), (%1, 2, 100, 1, ''), (%1, 3, 1, NULL, ''), "
                        "(%2, 2, 50, 1, ''), (%2, 1, 10, 1, 'doux'), (%2, 4, 0, NULL, '')")
             .arg(A)
             .arg(B));
    Menu.AddRecetteFromCode(1, 2, Start, A);
    Menu.AddRecetteFromCode(1, 2, Start, B);
    Rotation.NextColor();
    Menu.GetIngredientList(List);
    EXPECT_EQ(Int(QStringLiteral("select menupers from recette where code=%1").arg(A)), 2);
    QStringList Texts;
    for (int I = 0; I < List.Count(); ++I)
        Texts << List.GetLine(I)->Text;
    // 200 g for 4 planned for 2 gives 100 g; 50 g and 50 g of one key sum up; notes split.
    ASSERT_EQ(Texts.size(), 8);
    EXPECT_EQ(QSet<QString>(Texts.begin() + 1, Texts.begin() + 3),
              (QSet<QString>{"100 g beurre", "10 g beurre (doux)"}));
    EXPECT_EQ(Texts.mid(3), (QStringList{"Sec", "100 g farine", "Divers", "1/2 sel", "poivre"}));
    EXPECT_EQ(List.GetRayon(0)->Color, KVXHtmlToColor(QStringLiteral("#6C3288")));
    EXPECT_EQ(List.GetRayon(3)->Color, KVXHtmlToColor(QStringLiteral("#3D468A")));
    EXPECT_EQ(List.GetRayon(5)->Color, KVXHtmlToColor(QStringLiteral("#808080")));
    EXPECT_EQ(List.GetRayon(5)->RayCode, 2147483647);
    EXPECT_EQ(List.GetIngredient(6)->RayCode, 2147483647);
    const TLineIngredient *Farine = List.GetIngredient(4);
    EXPECT_TRUE(Farine->FromMenu && Farine->InitialQuantity == 100 && Farine->RayCode == 2 && Farine->UnitCode == 1);

    // Persons already in the table are not written again: the rows keep their change date,
    // so the next upload does not send them; a real change still moves it.
    Exec(QStringLiteral("UPDATE recette SET updated = '2000-01-01 00:00:00'"));
    const auto Updated = [&] {
        const QString Sql = QStringLiteral("select updated from recette where code=%1");
        return Database->GetTableString(Sql.arg(A)) + QLatin1Char('|') + Database->GetTableString(Sql.arg(B));
    };
    // Appended, not cleared; colours start again at each computation.
    Menu.GetIngredientList(List);
    EXPECT_EQ(Updated(), QStringLiteral("2000-01-01 00:00:00|2000-01-01 00:00:00"));
    EXPECT_EQ(List.Count(), 16);
    EXPECT_EQ(List.GetRayon(8)->Color, KVXHtmlToColor(QStringLiteral("#6C3288")));

    Menu.GetRecette(Menu.Count() - 1)->MenuPers = 3;
    TIngredientList Again;
    Menu.GetIngredientList(Again);
    EXPECT_EQ(Updated().count(QStringLiteral("2000-01-01")), 1);
    EXPECT_EQ(Int(QStringLiteral("select sum(menupers) from recette where code in (%1, %2)").arg(A).arg(B)), 5);

    auto Uses = Menu.GetRecetteList3(2);
    EXPECT_EQ(Names(*Uses), (QSet<QString>{"Quiche", "Sablés"}));
    Uses->MoveTo(0);
    EXPECT_EQ(Uses->FieldAsString(QStringLiteral("name")) + Uses->FieldAsString(QStringLiteral("unite")),
              QStringLiteral("Quicheg"));
}

TEST_F(TRecetteListTest, ShoppingListKeepsOneLinePerUnit)
{
    // Grams and glasses of flour cannot be added up: the list keeps both, each with its own
    // unit, and the same unit in two recipes still makes one line.
    Exec(QStringLiteral("INSERT INTO rayon (name) VALUES ('Sec')"));
    Exec(QStringLiteral("INSERT INTO unite (name) VALUES ('g'), ('verre')"));
    Exec(QStringLiteral("INSERT INTO ingredient (name, raycode) VALUES ('farine', 1)"));
    const int A = AddRecipe(QStringLiteral("Quiche"), 0, 1, 0, 2);
    const int B = AddRecipe(QStringLiteral("Crêpes"), 0, 2, 0, 2);
    const int C = AddRecipe(QStringLiteral("Sablés"), 0, 2, 0, 2);
    Exec(QStringLiteral("INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note) VALUES "
                        "(%1, 1, 200, 1, ''), (%2, 1, 1, 2, ''), (%3, 1, 50, 1, '')")
             .arg(A)
             .arg(B)
             .arg(C));
    for (const int Code : {A, B, C})
        Menu.AddRecetteFromCode(1, 2, Start, Code);
    TIngredientList List;
    Menu.GetIngredientList(List);
    QStringList Texts;
    for (int I = 0; I < List.Count(); ++I)
        Texts << List.GetLine(I)->Text;
    ASSERT_EQ(Texts.size(), 3) << Texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Texts.first(), QStringLiteral("Sec"));
    EXPECT_EQ(QSet<QString>(Texts.begin() + 1, Texts.end()), (QSet<QString>{"250 g farine", "1 verre farine"}));
}
