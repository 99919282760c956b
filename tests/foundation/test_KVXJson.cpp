#include "KVXJson.h"
#include "TestSupport.h"

#include <QBuffer>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

TEST(KVXJson, BothLayoutsOfAMenuDocument)
{
    TKVXJson Doc;
    EXPECT_EQ(Doc.GetText(true), QStringLiteral("{}"));
    TJsonValue &Root = Doc.GetRoot();
    Root["name"] = JsonStr(QStringLiteral("Semaine du 5"));
    Root["recettes"] = TJsonValue::array();
    Root["recettes"].push_back(TJsonValue::object({{"jour", 0},
                                                   {"repas", 1},
                                                   {"pers", 4},
                                                   {"code", 12},
                                                   {"name", JsonStr(QStringLiteral("Gratin dauphinois"))}}));
    EXPECT_EQ(Doc.GetBytes(true), QByteArray("{\r\n"
                                             "  \"name\":\"Semaine du 5\",\r\n"
                                             "  \"recettes\":[\r\n"
                                             "    {\r\n"
                                             "      \"jour\":0,\r\n"
                                             "      \"repas\":1,\r\n"
                                             "      \"pers\":4,\r\n"
                                             "      \"code\":12,\r\n"
                                             "      \"name\":\"Gratin dauphinois\"\r\n"
                                             "    }\r\n"
                                             "  ]\r\n"
                                             "}"));
    // A member added last stays last in both layouts.
    Root["ajout"] = true;
    EXPECT_EQ(Doc.GetBytes(false),
              QByteArray("{\"name\":\"Semaine du 5\",\"recettes\":[{\"jour\":0,\"repas\":1,"
                         "\"pers\":4,\"code\":12,\"name\":\"Gratin dauphinois\"}],\"ajout\":true}"));
    EXPECT_TRUE(Doc.GetText(true).endsWith(QStringLiteral("  ],\r\n  \"ajout\":true\r\n}")));

    // Several lines, empty values and nested arrays.
    TKVXJson Other;
    Other.LoadFromString(QStringLiteral("{\"r\":[{\"jour\":0},{\"jour\":1}],\"vide\":{},\"liste\":[[1]]}"));
    EXPECT_EQ(Other.GetBytes(true), QByteArray("{\r\n  \"r\":[\r\n    {\r\n      \"jour\":0\r\n    },\r\n"
                                               "    {\r\n      \"jour\":1\r\n    }\r\n  ],\r\n  \"vide\":{},\r\n"
                                               "  \"liste\":[\r\n    [\r\n      1\r\n    ]\r\n  ]\r\n}"));
}

TEST(KVXJson, NumbersEscapesAndUtf8RoundTrip)
{
    TKVXJson Doc;
    Doc.LoadFromString(QStringLiteral("[0.5, 2.0, -3, 1e20, 18446744073709551615, 0.1, null, false, 1.5e-7]"));
    EXPECT_EQ(Doc.GetText(false), QStringLiteral("[0.5,2,-3,1E20,18446744073709551615,0.1,null,false,1.5E-7]"));
    Doc.LoadFromString(Doc.GetText(false));
    EXPECT_DOUBLE_EQ(Doc.GetRoot()[8].get<double>(), 1.5e-7);
    Doc.GetRoot()[0] = std::nan("");
    EXPECT_TRUE(Doc.GetText(false).startsWith(QStringLiteral("[null,")));

    const QString Text = QStringLiteral("Crème \"brûlée\" 1/2\\\r\n\t\b\f\u0001\u001F é€ 🍰");
    TKVXJson Str;
    Str.GetRoot()["s"] = JsonStr(Text);
    const QByteArray Bytes = Str.GetBytes(false);
    EXPECT_EQ(Bytes, QByteArray("{\"s\":\"Cr\xC3\xA8me \\\"br\xC3\xBBl\xC3\xA9"
                                "e\\\" 1\\/2\\\\\\r\\n\\t\\b\\f\\u0001\\u001F "
                                "\xC3\xA9\xE2\x82\xAC \xF0\x9F\x8D\xB0\"}"));
    TKVXJson Back;
    Back.LoadFromString(QString::fromUtf8(Bytes));
    EXPECT_EQ(QStr(Back.GetRoot()["s"]), Text);
    EXPECT_EQ(QStr(TJsonValue(12)), QStringLiteral("12"));
}

TEST(KVXJson, LoadFailuresAndEmptyText)
{
    TKVXJson Doc;
    Doc.GetRoot()["name"] = JsonStr(QStringLiteral("Semaine"));
    Doc.LoadFromString(QString());
    EXPECT_EQ(QStr(Doc.GetRoot()["name"]), QStringLiteral("Semaine")) << "an empty text changes nothing";

    EXPECT_EQ(ErrorOf([&] { Doc.LoadFromString(QStringLiteral("{\"a\":")); }), QStringLiteral("Invalid JSON data"));
    EXPECT_FALSE(Doc.Root);
    EXPECT_EQ(Doc.GetText(true), QString());
    EXPECT_EQ(ErrorOf([&] { Doc.GetRoot(); }), QStringLiteral("JSON document has no value"));
    EXPECT_EQ(ErrorOf([&] { Doc.LoadFromString(QStringLiteral("{} x")); }), QStringLiteral("Invalid JSON data"));
    EXPECT_EQ(ErrorOf([&] { Doc.LoadFromBytes(QByteArray("\"\xE9\"")); }), QStringLiteral("Invalid JSON data"));
    Doc.LoadFromString(QStringLiteral("[{\"code\":1}]"));
    EXPECT_TRUE(Doc.GetRoot().is_array());
}

TEST(KVXJson, EveryFiniteDoubleReadsBackTheSame)
{
    const double Values[] = {std::numeric_limits<double>::max(),
                             -std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(),
                             0.1 + 0.2,
                             1.0 / 3,
                             123456789012345678.0,
                             2.5};
    for (const double D : Values) {
        TKVXJson Doc;
        Doc.GetRoot()["v"] = D;
        const QString Text = Doc.GetText(false);
        TKVXJson Back;
        Back.LoadFromString(Text);
        EXPECT_EQ(Back.GetRoot()["v"].get<double>(), D) << Text.toStdString();
    }
    // The usual values keep their short form.
    TKVXJson Doc;
    Doc.GetRoot()["v"] = 0.1 + 0.2;
    Doc.GetRoot()["w"] = 2.5;
    EXPECT_EQ(Doc.GetText(false), QStringLiteral("{\"v\":0.30000000000000004,\"w\":2.5}"));
}

TEST(KVXJson, NestingBeyondTheLimitIsRefused)
{
    const auto Nested = [](int Depth) { return QString(Depth, QLatin1Char('[')) + QString(Depth, QLatin1Char(']')); };
    TKVXJson Doc;
    Doc.LoadFromString(Nested(MaxJsonDepth));
    EXPECT_EQ(Doc.GetText(true).count(QLatin1Char('[')), MaxJsonDepth);
    // Far deeper than any menu: refused before the printer or the parser walk it.
    EXPECT_EQ(ErrorOf([&] { Doc.LoadFromString(Nested(MaxJsonDepth + 1)); }), QStringLiteral("Invalid JSON data"));
    EXPECT_FALSE(Doc.Root);
    EXPECT_EQ(ErrorOf([&] { Doc.LoadFromString(QStringLiteral("{\"a\":") + Nested(50000) + QStringLiteral("}")); }),
              QStringLiteral("Invalid JSON data"));
    // Brackets inside strings are text, escaped quotes included.
    Doc.LoadFromString(QStringLiteral("{\"s\":\"\\\"") + QString(MaxJsonDepth + 5, QLatin1Char('[')) +
                       QStringLiteral("\"}"));
    EXPECT_EQ(QStr(Doc.GetRoot()["s"]).size(), MaxJsonDepth + 6);
}

TEST(KVXJson, StreamsReadFromTheStartAndWriteAtThePosition)
{
    QBuffer In;
    In.setData(QStringLiteral("{\"name\":\"Été\"}").toUtf8());
    ASSERT_TRUE(In.open(QIODevice::ReadOnly));
    In.seek(5);
    TKVXJson Doc;
    Doc.LoadFromStream(In);
    QBuffer Out;
    ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
    Out.write("x");
    Doc.SaveToStream(Out, true);
    EXPECT_EQ(Out.data(), QByteArray("x{\r\n  \"name\":\"\xC3\x89t\xC3\xA9\"\r\n}"));
}
