#include "KVXJson.h"
#include "TestHelpers.h"

#include <QBuffer>

#include <cmath>

#include <gtest/gtest.h>

namespace {

TKVXJson MenuDocument()
{
    TKVXJson Doc;
    TJsonValue &Root = Doc.GetRoot();
    Root["name"] = JsonStr(QStringLiteral("Semaine du 5"));
    Root["recettes"] = TJsonValue::array();
    TJsonValue Line = TJsonValue::object();
    Line["jour"] = 0;
    Line["repas"] = 1;
    Line["pers"] = 4;
    Line["code"] = 12;
    Line["name"] = JsonStr(QStringLiteral("Gratin dauphinois"));
    Root["recettes"].push_back(Line);
    return Doc;
}

} // namespace

TEST(KVXJson, ReadableLayoutOfAMenuDocument)
{
    const QByteArray Expected = "{\r\n"
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
                                "}";
    const TKVXJson Doc = MenuDocument();
    EXPECT_EQ(Doc.GetBytes(true), Expected);
    EXPECT_EQ(Doc.GetText(true), QString::fromUtf8(Expected));
}

TEST(KVXJson, ReadableLayoutOfSeveralLinesAndEmptyValues)
{
    TKVXJson Doc;
    EXPECT_EQ(Doc.GetText(true), QStringLiteral("{}"));
    TJsonValue &Root = Doc.GetRoot();
    Root["recettes"] = TJsonValue::array({TJsonValue::object({{"jour", 0}}), TJsonValue::object({{"jour", 1}})});
    Root["vide"] = TJsonValue::object();
    Root["liste"] = TJsonValue::array();
    Root["imbrique"] = TJsonValue::array({TJsonValue::array({1, 2})});
    EXPECT_EQ(Doc.GetBytes(true), QByteArray("{\r\n"
                                             "  \"recettes\":[\r\n"
                                             "    {\r\n"
                                             "      \"jour\":0\r\n"
                                             "    },\r\n"
                                             "    {\r\n"
                                             "      \"jour\":1\r\n"
                                             "    }\r\n"
                                             "  ],\r\n"
                                             "  \"vide\":{},\r\n"
                                             "  \"liste\":[],\r\n"
                                             "  \"imbrique\":[\r\n"
                                             "    [\r\n"
                                             "      1,\r\n"
                                             "      2\r\n"
                                             "    ]\r\n"
                                             "  ]\r\n"
                                             "}"));
}

TEST(KVXJson, CompactLayoutKeepsMemberOrder)
{
    TKVXJson Doc = MenuDocument();
    Doc.GetRoot()["ajout"] = true;
    EXPECT_EQ(Doc.GetBytes(false),
              QByteArray("{\"name\":\"Semaine du 5\",\"recettes\":[{\"jour\":0,\"repas\":1,"
                         "\"pers\":4,\"code\":12,\"name\":\"Gratin dauphinois\"}],\"ajout\":true}"));
    EXPECT_TRUE(Doc.GetText(true).endsWith(QStringLiteral("\"ajout\":true\r\n}")));
}

TEST(KVXJson, ScalarsAndNumbers)
{
    TKVXJson Doc;
    Doc.LoadFromString(QStringLiteral("[0.5, 2.0, -3, 1e20, 18446744073709551615, 0.1, null, false, 1.5e-7]"));
    EXPECT_EQ(Doc.GetText(false), QStringLiteral("[0.5,2,-3,1E20,18446744073709551615,0.1,null,false,1.5E-7]"));
    // What is written parses again to the same numbers.
    TKVXJson Again;
    Again.LoadFromString(Doc.GetText(false));
    EXPECT_DOUBLE_EQ(Again.GetRoot()[3].get<double>(), 1e20);
    EXPECT_DOUBLE_EQ(Again.GetRoot()[8].get<double>(), 1.5e-7);

    TKVXJson Nan;
    Nan.GetRoot()["q"] = std::nan("");
    EXPECT_EQ(Nan.GetText(false), QStringLiteral("{\"q\":null}"));
}

TEST(KVXJson, EscapesAndUtf8RoundTrip)
{
    const QString Text = QStringLiteral("Crème \"brûlée\" 1/2\\\r\n\t\b\f\u0001\u001F é€ 🍰");
    TKVXJson Doc;
    Doc.GetRoot()["s"] = JsonStr(Text);
    const QByteArray Bytes = Doc.GetBytes(false);
    EXPECT_EQ(Bytes, QByteArray("{\"s\":\"Cr\xC3\xA8me \\\"br\xC3\xBBl\xC3\xA9"
                                "e\\\" 1\\/2\\\\\\r\\n\\t\\b\\f\\u0001\\u001F "
                                "\xC3\xA9\xE2\x82\xAC \xF0\x9F\x8D\xB0\"}"));
    TKVXJson Back;
    Back.LoadFromString(QString::fromUtf8(Bytes));
    EXPECT_EQ(QStr(Back.GetRoot()["s"]), Text);
    EXPECT_EQ(QStr(TJsonValue(12)), QStringLiteral("12"));
    EXPECT_EQ(QStr(TJsonValue()), QString());
}

TEST(KVXJson, LoadFailuresAndEmptyText)
{
    TKVXJson Doc = MenuDocument();
    Doc.LoadFromString(QString());
    ASSERT_TRUE(Doc.Root);
    EXPECT_EQ(QStr(Doc.GetRoot()["name"]), QStringLiteral("Semaine du 5"));

    EXPECT_EQ(ErrorOf([&] { Doc.LoadFromString(QStringLiteral("{\"a\":")); }), QStringLiteral("Invalid JSON data"));
    EXPECT_FALSE(Doc.Root);
    EXPECT_EQ(Doc.GetText(true), QString());
    EXPECT_EQ(ErrorOf([&] { Doc.GetRoot(); }), QStringLiteral("JSON document has no value"));
    EXPECT_EQ(ErrorOf([&] { Doc.LoadFromString(QStringLiteral("{} x")); }), QStringLiteral("Invalid JSON data"));
    EXPECT_EQ(ErrorOf([&] { Doc.LoadFromBytes(QByteArray("\"\xE9\"")); }), QStringLiteral("Invalid JSON data"));

    Doc.LoadFromString(QStringLiteral("[{\"code\":1}]"));
    ASSERT_TRUE(Doc.Root);
    EXPECT_TRUE(Doc.GetRoot().is_array());
}

TEST(KVXJson, StreamsReadFromTheStartAndWriteAtThePosition)
{
    QBuffer In;
    In.setData(QStringLiteral("{\"name\":\"Été\"}").toUtf8());
    ASSERT_TRUE(In.open(QIODevice::ReadOnly));
    In.seek(5);
    TKVXJson Doc;
    Doc.LoadFromStream(In);
    EXPECT_EQ(QStr(Doc.GetRoot()["name"]), QStringLiteral("Été"));

    QBuffer Out;
    ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
    Out.write("x");
    Doc.SaveToStream(Out, true);
    EXPECT_EQ(Out.data(), QByteArray("x{\r\n  \"name\":\"\xC3\x89t\xC3\xA9\"\r\n}"));
}
