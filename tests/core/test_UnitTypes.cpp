#include "KVXFiles.h"
#include "TestSupport.h"
#include "UnitConst.h"
#include "UnitTypes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// C starts the failure with a user text, B adds a second one, A only adds its name.
void C()
{
    Wrap("C", [] { throw UserException::CreateUser(QStringLiteral("Aucune recette ne correspond aux critères.")); });
}

void B()
{
    WrapWithUser("B", "Le menu n'a pas pu être complété.", [] { C(); });
}

void A()
{
    Wrap("A", [] { B(); });
}

} // namespace

TEST(UserException, ThreeLevelsKeepTheChainOfNamesAndBothUserTexts)
{
    const TFailure F = FailureOf([] { A(); });
    EXPECT_EQ(F.Message, QStringLiteral("[A] [B] [C] Aucune recette ne correspond aux critères."));
    EXPECT_EQ(F.UserMessage,
              QStringLiteral("Le menu n'a pas pu être complété.\r\nAucune recette ne correspond aux critères."));
}

TEST(UserException, FactoriesOverPlainAndUserExceptions)
{
    const Exception Plain(QStringLiteral("disk full"));
    // A plain exception carries no user text; a std::exception counts with its what().
    const UserException NoUser = UserException::Create(QStringLiteral("TConfig.Create"), Plain);
    EXPECT_EQ(NoUser.Message, QStringLiteral("[TConfig.Create] disk full"));
    EXPECT_TRUE(NoUser.UserMessage.isEmpty());
    EXPECT_EQ(UserException::Create(QStringLiteral("X"), std::runtime_error("bad")).Message, QStringLiteral("[X] bad"));

    // A file that could not be written is named to the user in French, with what they can
    // do about it; a text of the caller's own replaces it.
    const EFileWriteError Full(EInOutError(101, QStringLiteral("No space left on device")),
                               QStringLiteral("/p/fenolda.ini"));
    EXPECT_EQ(UserException::Create(QStringLiteral("TConfig.SetBackupDate"), Full).UserMessage,
              QStringLiteral("Impossible d'enregistrer le fichier \"/p/fenolda.ini\".\r\nLe disque est plein."));
    EXPECT_EQ(UserException::CreateWithUser(QStringLiteral("X"), QStringLiteral("Texte"), Full).UserMessage,
              QStringLiteral("Texte"));

    // A new user text over an inner one without user text has no trailing line break.
    const UserException WithUser =
        UserException::CreateWithUser(QStringLiteral("Outer"), QStringLiteral("Texte"), NoUser);
    EXPECT_EQ(WithUser.UserMessage, QStringLiteral("Texte"));
    EXPECT_EQ(WithUser.Message, QStringLiteral("[Outer] [TConfig.Create] disk full"));

    // Without an inner exception the message is the user text; with one, the inner message.
    const UserException Alone = UserException::CreateUserFmt(QStringLiteral("Plus que %d recettes."), {2});
    EXPECT_EQ(Alone.Message, QStringLiteral("Plus que 2 recettes."));
    const UserException Over = UserException::CreateUser(QStringLiteral("Nouveau"), &Alone);
    EXPECT_EQ(Over.Message, QStringLiteral("Plus que 2 recettes."));
    EXPECT_EQ(Over.UserMessage, QStringLiteral("Nouveau\r\nPlus que 2 recettes."));

    const UserException Fmt =
        UserException::CreateWithUserFmt(QStringLiteral("TSlimApi.%s"), {QStringLiteral("GetMenu")},
                                         QStringLiteral("Le menu %d est introuvable."), {42}, Plain);
    EXPECT_EQ(Fmt.Message, QStringLiteral("[TSlimApi.GetMenu] disk full"));
    EXPECT_EQ(Fmt.UserMessage, QStringLiteral("Le menu 42 est introuvable."));
    // A stray "%" in a context must not replace the failure being reported.
    EXPECT_EQ(UserException::Create(QStringLiteral("Remise 50 % off"), Plain).Message,
              QStringLiteral("[Remise 50 % off] disk full"));
}

TEST(Wrap, PassesResultsThroughAndWrapsStandardExceptions)
{
    EXPECT_EQ(Wrap("F", [] { return 42; }), 42);
    const TFailure F =
        FailureOf([] { Wrap(QStringLiteral("TFormList.Load"), [] { throw std::out_of_range("index 3"); }); });
    EXPECT_EQ(F.Message, QStringLiteral("[TFormList.Load] index 3"));
    EXPECT_TRUE(F.UserMessage.isEmpty());
}

TEST(WrapPlain, RaisesAPlainExceptionWithTheContextsOuterFirst)
{
    EXPECT_EQ(WrapPlain("[TFormDialog.Show] ", [] { return 7; }), 7);
    try {
        WrapPlain("[TFormDialog.Show] ",
                  [] { WrapPlain("[TFormDialog.AdjustDim] ", [] { throw std::runtime_error("boom"); }); });
        ADD_FAILURE() << "nothing raised";
    } catch (const UserException &) {
        ADD_FAILURE() << "a program error, not a plain exception";
    } catch (const Exception &E) {
        EXPECT_EQ(E.Message, QStringLiteral("[TFormDialog.Show] [TFormDialog.AdjustDim] boom"));
    }
}

TEST(TColorRotation, HandsOutTheNinePaletteColoursInTurn)
{
    TColorRotation Rotation;
    Rotation.NextColor();
    Rotation.Reset();
    QStringList Seen;
    for (int I = 0; I < 10; ++I)
        Seen << KVXColorToHtml(Rotation.NextColor());
    EXPECT_EQ(Seen, (QStringList{"#6C3288", "#3D468A", "#3E7D66", "#D88A4C", "#E1AF44", "#BD5543", "#BB2A7C", "#859BC0",
                                 "#982453", "#6C3288"}));
}
