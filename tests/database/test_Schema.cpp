// What the shipped schema must do by itself, checked on a database made from data/, and the
// base file that the build generates.
#include "TestDatabase.h"

#include <QFile>

namespace {

const QStringList NameTables = {QStringLiteral("livre"), QStringLiteral("rayon"), QStringLiteral("unite"),
                                QStringLiteral("ingredient"), QStringLiteral("recette")};

// Two recipes (Tarte for 4, Quiche for 0), two ingredients on one shelf with their lines (one
// with a unit), a cookbook and a history row of Quiche.
const char Rows[] = "INSERT INTO rayon (name) VALUES ('Crèmerie');"
                    "INSERT INTO livre (name) VALUES ('Livre');"
                    "INSERT INTO unite (name) VALUES ('g');"
                    "INSERT INTO ingredient (name, raycode) VALUES ('Beurre', 1), ('Sel', 1);"
                    "INSERT INTO recette (name, nbpers, livcode, menupers) VALUES ('Tarte', 4, 1, 2), "
                    "('Quiche', 0, 1, 2);"
                    "INSERT INTO ingredients (reccode, ingcode, quantite, unitecode, note) VALUES (1, 1, 3, 1, ''),"
                    "(1, 2, 1, NULL, ''), (2, 1, 50, 1, ''), (2, 2, 1, NULL, '');"
                    "INSERT INTO historique (reccode, recdate) VALUES (2, '2024-05-01');";

// The schema of data/ holding Rows.
class SchemaTest : public TempDbTest<TQlDatabase>
{
protected:
    void SetUp() override
    {
        RunSqlFile(*Db, DataFile(QStringLiteral("schema.sql")));
        Db->ExecScript(QString::fromUtf8(Rows));
    }

    // Runs the statements of SQL, "%1" replaced by Arg, or gives the first value of a query.
    QString Sql(const QString &SQL, const QString &Arg = QString())
    {
        const QString Text = Arg.isNull() ? SQL : SQL.arg(Arg);
        if (Text.startsWith(QLatin1String("select")))
            return Db->GetTableString(Text);
        Db->ExecScript(Text);
        return QString();
    }
};

} // namespace

TEST_F(SchemaTest, NumbersAreDeclaredAsTheProgramReadsThem)
{
    // Every column read as a number is exactly INTEGER (quantite REAL, so that it divides as
    // one), and code comes first in the tables of the combo boxes.
    EXPECT_EQ(Sql(QStringLiteral(
                  "select group_concat(m.name || '.' || c.name || ':' || c.type || ':' || c.cid, ' ') from "
                  "sqlite_master m, pragma_table_info(m.name) c where m.type = 'table' and c.name in ('code', "
                  "'raycode', 'tprep', 'tcuisson', 'trepos', 'nbpers', 'menupers', 'repas', 'type_', 'saison', "
                  "'livcode', 'reccode', 'ingcode', 'unitecode', 'quantite') and (c.type <> 'INTEGER' or (c.name = "
                  "'code' and c.cid <> 0)) and not (c.name = 'quantite' and c.type = 'REAL')")),
              QString());
    EXPECT_EQ(Sql(QStringLiteral("select group_concat(typeof(quantite)) from ingredients where quantite = 3")),
              QStringLiteral("real"));
}

TEST_F(SchemaTest, CodesAndChangeDatesAreTheDatabasesWork)
{
    for (const QString &Table : NameTables + QStringList{QStringLiteral("ingredients")}) {
        SCOPED_TRACE(Table.toStdString());
        // Local "yyyy-mm-dd hh:nn:ss", now, on every row.
        EXPECT_EQ(Sql(QStringLiteral("select count(*) from %1 where inserted glob '[0-9][0-9][0-9][0-9]-[0-9][0-9]-"
                                     "[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' and updated = inserted and "
                                     "abs(julianday(inserted) - julianday('now', 'localtime')) < 0.001"),
                      Table),
                  Sql(QStringLiteral("select count(*) from %1"), Table));
        Sql(QStringLiteral("update %1 set inserted = '2000-01-01 00:00:00', updated = '2000-01-01 00:00:00'"), Table);
        // A change of a data column moves updated and leaves inserted.
        Sql(Table == QLatin1String("ingredients") ? QStringLiteral("update %1 set quantite = 300 where rowid = 1")
                                                  : QStringLiteral("update %1 set name = name || 'x' where code = 1"),
            Table);
        EXPECT_EQ(Sql(QStringLiteral("select count(*) || inserted from %1 where updated > inserted"), Table),
                  QStringLiteral("12000-01-01 00:00:00"));
        // Writing a value that is already there is no change: the row is not sent again.
        Sql(QStringLiteral("update %1 set updated = '2000-01-01 00:00:00'"), Table);
        Sql(Table == QLatin1String("ingredients") ? QStringLiteral("update %1 set quantite = quantite, note = note")
            : Table == QLatin1String("recette")   ? QStringLiteral("update %1 set name = name, menupers = menupers, "
                                                                     "livcode = livcode, photo = photo")
                                                  : QStringLiteral("update %1 set name = name"),
            Table);
        EXPECT_EQ(Sql(QStringLiteral("select count(*) from %1 where updated <> '2000-01-01 00:00:00'"), Table),
                  QStringLiteral("0"));
    }
    // A NULL that becomes a value is a change.
    Sql(QStringLiteral("update recette set page = '12' where code = 1"));
    EXPECT_EQ(Sql(QStringLiteral("select count(*) from recette where updated > '2000-01-01 00:00:00'")),
              QStringLiteral("1"));
    Sql(QStringLiteral("INSERT INTO rayon (name) VALUES ('Sec')"));
    EXPECT_EQ(Sql(QStringLiteral("select max(code) from rayon")), QStringLiteral("2"));
}

TEST_F(SchemaTest, DuplicatesAreRefusedWithCode19)
{
    const auto Refused = [&](const QString &SQL, const QString &Table = QString()) {
        return ErrorOf([&] { Sql(SQL, Table); })
            .startsWith(
                QStringLiteral("Error executing SQL statement.\rError [19]: Abort due to contraint violation.\r"));
    };
    for (const QString &Table : NameTables) {
        SCOPED_TRACE(Table.toStdString());
        Sql(QStringLiteral("INSERT INTO %1 (name) VALUES ('Farine')"), Table);
        EXPECT_TRUE(Refused(QStringLiteral("INSERT INTO %1 (name) VALUES ('FARINE')"), Table));
        EXPECT_TRUE(Refused(QStringLiteral("UPDATE %1 SET name = 'farine' WHERE code = 1"), Table));
    }
    EXPECT_TRUE(Refused(QStringLiteral("INSERT INTO ingredients (reccode, ingcode, quantite) VALUES (1, 1, 2)")));
}

TEST_F(SchemaTest, DeletingAParentRemovesOrEmptiesItsReferences)
{
    // A shelf, a cookbook or a unit leaves NULL behind, read as 0.
    Sql(QStringLiteral("delete from rayon"));
    Sql(QStringLiteral("delete from livre"));
    Sql(QStringLiteral("delete from unite"));
    EXPECT_EQ(Sql(QStringLiteral("select count(raycode) + count(livcode) + count(unitecode) from ingredient, recette, "
                                 "ingredients")),
              QStringLiteral("0"));
    EXPECT_EQ(Db->GetTable(QStringLiteral("select raycode from ingredient"))->FieldAsInteger(QStringLiteral("raycode")),
              0);
    // An ingredient takes its lines in every recipe; a recipe its lines and its history.
    Sql(QStringLiteral("delete from ingredient where code = 1"));
    EXPECT_EQ(Sql(QStringLiteral("select count(*) from ingredients")), QStringLiteral("2"));
    Sql(QStringLiteral("delete from recette where code = 2"));
    EXPECT_EQ(Sql(QStringLiteral("select count(*) from ingredients")), QStringLiteral("1"));
    EXPECT_EQ(Sql(QStringLiteral("select count(*) from historique")), QStringLiteral("0"));
    EXPECT_THROW(Sql(QStringLiteral("INSERT INTO ingredients (reccode, ingcode) VALUES (1, 9999)")), ESQLiteException);
}

TEST(GeneratedBase, OpensAndHoldsTheStarterRows)
{
    QTemporaryDir Dir;
    const QString Copy = Dir.filePath(QStringLiteral("recipes.db3"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(FENOLDA_BIN_DIR "/recipes-base.db3"), Copy))
        << "build the fenolda_data target first";
    TQlDatabase Db(Copy);
    EXPECT_EQ(Db.GetTableString(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    EXPECT_EQ(Db.GetTable(QStringLiteral("PRAGMA foreign_key_check"))->RowCount(), 0u);
    EXPECT_EQ(Db.GetTableString(QStringLiteral("PRAGMA user_version")), QStringLiteral("2"));
    EXPECT_EQ(Db.GetTableString(QStringLiteral(
                  "select (select count(*) >= 15 from rayon) || (select count(*) >= 20 from unite) || (select "
                  "count(*) >= 150 from ingredient) || (select count(*) >= 90 from recette) || (select count(*) "
                  "from recette r where not exists (select 1 from ingredients ri where ri.reccode = r.code))")),
              QStringLiteral("11110"));
    // Enough distinct recipes for a 7-day menu of both meals and three dish types, in either
    // season with the season honoured.
    EXPECT_EQ(Db.GetTableString(QStringLiteral(
                  "select count(*) from (select 1 from (select 1 as s union select 2), (select 0 as t union select 1 "
                  "union select 2), (select 1 as m union select 2) where (select count(*) from recette where type_ = "
                  "t and saison in (0, s) and repas in (0, m)) < 7 or (select count(*) from recette where type_ = t "
                  "and saison in (0, s)) < 14)")),
              QStringLiteral("0"));

    // What a cook notices: no dead "Page web", and the shopping list does not split one
    // ingredient over notes that differ only by a plural "s" (nor by scale of one unit).
    EXPECT_EQ(Db.GetTableString(QStringLiteral("select count(*) from recette where ifnull(link, '') <> ''")),
              QStringLiteral("0"));
    EXPECT_EQ(Db.GetTableString(QStringLiteral(
                  "select group_concat(i.name || ': ' || a.note || '/' || b.note, ', ') from ingredient i, "
                  "(select distinct ingcode, note from ingredients) a, (select distinct ingcode, note from "
                  "ingredients) b where a.ingcode = i.code and b.ingcode = i.code and b.note = a.note || 's'")),
              QString());
    EXPECT_EQ(Db.GetTableString(QStringLiteral(
                  "select group_concat(name, ', ') from (select i.name from ingredients ri join ingredient i on "
                  "i.code = ri.ingcode join unite u on u.code = ri.unitecode group by i.code having count(distinct "
                  "u.name) > 1 and (sum(u.name in ('cl', 'l')) = count(*) or sum(u.name in ('g', 'kg')) = count(*)))")),
              QString());
    EXPECT_EQ(Db.GetTableString(QStringLiteral("select group_concat(name, ', ') from ingredient where raycode is "
                                               "null and name not in ('Eau', 'Glaçons')")),
              QString());
}
