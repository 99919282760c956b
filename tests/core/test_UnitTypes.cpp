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
    try {
        A();
        FAIL() << "A should raise";
    } catch (const UserException &E) {
        EXPECT_EQ(E.Message, QStringLiteral("[A] [B] [C] Aucune recette ne correspond aux critères."));
        EXPECT_EQ(E.UserMessage,
                  QStringLiteral("Le menu n'a pas pu être complété.\r\nAucune recette ne correspond aux critères."));
        EXPECT_EQ(E.HelpContext, 0);
        EXPECT_STREQ(E.what(), "[A] [B] [C] Aucune recette ne correspond aux critères.");
    }
}

TEST(UserException, FactoriesOverPlainAndUserExceptions)
{
    const Exception Plain(QStringLiteral("disk full"));
    const std::runtime_error Std("bad alloc-ish");

    // A plain exception carries no user text; a std::exception counts with its what().
    const UserException FromPlain = UserException::Create(QStringLiteral("TConfig.Create"), Plain);
    EXPECT_EQ(FromPlain.Message, QStringLiteral("[TConfig.Create] disk full"));
    EXPECT_TRUE(FromPlain.UserMessage.isEmpty());
    EXPECT_EQ(UserException::Create(QStringLiteral("X"), Std).Message, QStringLiteral("[X] bad alloc-ish"));

    // A new user text over an inner one without user text has no trailing line break.
    const UserException NoUser = UserException::Create(QStringLiteral("Inner"), Plain);
    const UserException WithUser =
        UserException::CreateWithUser(QStringLiteral("Outer"), QStringLiteral("Texte"), NoUser);
    EXPECT_EQ(WithUser.UserMessage, QStringLiteral("Texte"));
    EXPECT_EQ(WithUser.Message, QStringLiteral("[Outer] [Inner] disk full"));

    // Without an inner exception the message is the user text itself.
    const UserException Alone = UserException::CreateUser(QStringLiteral("Plus aucune recette."));
    EXPECT_EQ(Alone.Message, QStringLiteral("Plus aucune recette."));
    EXPECT_EQ(Alone.UserMessage, QStringLiteral("Plus aucune recette."));
    // With one, the message is the inner message and the user texts are chained.
    const UserException Over = UserException::CreateUser(QStringLiteral("Nouveau"), &Alone);
    EXPECT_EQ(Over.Message, QStringLiteral("Plus aucune recette."));
    EXPECT_EQ(Over.UserMessage, QStringLiteral("Nouveau\r\nPlus aucune recette."));
}

TEST(UserException, FormattedFactories)
{
    const Exception Inner(QStringLiteral("no such table"));
    EXPECT_EQ(UserException::CreateFmt(QStringLiteral("TFormList.%s"), {QStringLiteral("Load")}, Inner).Message,
              QStringLiteral("[TFormList.Load] no such table"));

    const UserException E =
        UserException::CreateWithUserFmt(QStringLiteral("TSlimApi.%s"), {QStringLiteral("GetMenu")},
                                         QStringLiteral("Le menu %d est introuvable."), {42}, Inner);
    EXPECT_EQ(E.Message, QStringLiteral("[TSlimApi.GetMenu] no such table"));
    EXPECT_EQ(E.UserMessage, QStringLiteral("Le menu 42 est introuvable."));

    const UserException U = UserException::CreateUserFmt(QStringLiteral("%d jours"), {7});
    EXPECT_EQ(U.Message, QStringLiteral("7 jours"));

    // A stray "%" in a context must not replace the failure being reported.
    EXPECT_EQ(UserException::Create(QStringLiteral("Remise 50 % off"), Inner).Message,
              QStringLiteral("[Remise 50 % off] no such table"));
}

TEST(Wrap, PassesResultsThroughAndWrapsStandardExceptions)
{
    EXPECT_EQ(Wrap("F", [] { return 42; }), 42);
    EXPECT_EQ(Wrap(QStringLiteral("G"), [] { return QStringLiteral("ok"); }), QStringLiteral("ok"));
    int Value = 1;
    int &Ref = Wrap("H", [&Value]() -> int & { return Value; });
    EXPECT_EQ(&Ref, &Value);

    try {
        Wrap(QStringLiteral("TFormList.Load"), []() -> int { throw std::out_of_range("index 3"); });
        FAIL() << "Wrap should raise";
    } catch (const UserException &E) {
        EXPECT_EQ(E.Message, QStringLiteral("[TFormList.Load] index 3"));
        EXPECT_TRUE(E.UserMessage.isEmpty());
    }
}

TEST(TColorRotation, HandsOutTheNinePaletteColoursInTurn)
{
    TColorRotation Rotation;
    Rotation.NextColor();
    Rotation.NextColor();
    Rotation.Reset();
    QStringList Seen;
    for (int I = 0; I < 10; ++I)
        Seen << KVXColorToHtml(Rotation.NextColor());
    EXPECT_EQ(Seen, (QStringList{"#6C3288", "#3D468A", "#3E7D66", "#D88A4C", "#E1AF44", "#BD5543", "#BB2A7C", "#859BC0",
                                 "#982453", "#6C3288"}));
    EXPECT_EQ(Rotation.Index, 1);
}
