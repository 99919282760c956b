// What the shipped schema must do by itself, checked on a database made from data/, and the
// base file that the build generates.

#include "TestDatabase.h"

#include <QFile>
#include <QFileInfo>

namespace {

class SchemaTest : public TempDbTest
{
protected:
    void SetUp() override
    {
        TempDbTest::SetUp();
        Db = OpenQl();
        RunSqlFile(*Db, DataFile(QStringLiteral("schema.sql")));
    }

    // Inserts a row of a name table the way the name editor does and gives its code.
    qint64 AddNamed(const QString &Table, const QString &Name)
    {
        Db->AddParamText(":name", Name);
        Db->ExecSQL(QStringLiteral("INSERT INTO %1 (name) VALUES (:name)").arg(Table));
        return Code(Table, Name);
    }

    qint64 Code(const QString &Table, const QString &Name)
    {
        Db->AddParamText(":name", Name);
        return Db->GetTableString(QStringLiteral("select code from %1 where name=:name").arg(Table)).toLongLong();
    }

    // A recipe inserted as the recipe editor does, with its persons.
    qint64 AddRecette(const QString &Name, int NbPers)
    {
        Db->AddParamText(":name", Name);
        Db->AddParamInt(":nbpers", NbPers);
        Db->ExecSQL(QStringLiteral("INSERT INTO recette (name, tprep, tcuisson, trepos, nbpers, repas, type_, "
                                   "saison) VALUES (:name, 0, 0, 0, :nbpers, 0, 1, 0)"));
        return Code(QStringLiteral("recette"), Name);
    }

    void AddLine(qint64 Rec, qint64 Ing, double Quantite, const QVariant &Unite = QVariant(),
                 const QString &Note = QString())
    {
        Db->AddParamInt(":reccode", Rec);
        Db->AddParamInt(":ingcode", Ing);
        Db->AddParamFloat(":quantite", Quantite);
        Db->AddParamText(":note", Note);
        if (Unite.isValid())
            Db->AddParamInt(":unitecode", Unite.toLongLong());
        else
            Db->AddParamNull(":unitecode");
        Db->ExecSQL(QStringLiteral("INSERT INTO ingredients (reccode, ingcode, quantite, note, unitecode) VALUES "
                                   "(:reccode, :ingcode, :quantite, :note, :unitecode)"));
    }

    QString Value(const QString &SQL) { return Db->GetTableString(SQL); }

    std::unique_ptr<TQlDatabase> Db;
};

const QStringList NameTables = {QStringLiteral("livre"), QStringLiteral("rayon"), QStringLiteral("unite"),
                                QStringLiteral("ingredient"), QStringLiteral("recette")};

} // namespace

TEST_F(SchemaTest, ColumnsReadAsTheProgramReadsThem)
{
    const qint64 Livre = AddNamed(QStringLiteral("livre"), QStringLiteral("Livre"));
    const qint64 Rayon = AddNamed(QStringLiteral("rayon"), QStringLiteral("Crèmerie"));
    const qint64 Unite = AddNamed(QStringLiteral("unite"), QStringLiteral("g"));
    Db->AddParamText(":name", QStringLiteral("Beurre"));
    Db->AddParamInt(":raycode", Rayon);
    Db->ExecSQL(QStringLiteral("INSERT INTO ingredient (name, raycode) VALUES (:name, :raycode)"));
    const qint64 Beurre = Code(QStringLiteral("ingredient"), QStringLiteral("Beurre"));
    const qint64 Rec = AddRecette(QStringLiteral("Tarte"), 4);
    Db->AddParamInt(":livcode", Livre);
    Db->AddParamInt(":code", Rec);
    Db->ExecSQL(QStringLiteral("UPDATE recette SET livcode=:livcode, menupers=2 WHERE code=:code"));
    AddLine(Rec, Beurre, 2, Unite);

    // Code is the first column of the combo boxes' tables.
    for (const QString &Table :
         {QStringLiteral("livre"), QStringLiteral("rayon"), QStringLiteral("unite"), QStringLiteral("ingredient")}) {
        const std::unique_ptr<TQlTable> T = Db->GetTable(QStringLiteral("select * from %1 order by name").arg(Table));
        EXPECT_EQ(T->Cols().first(), QStringLiteral("CODE")) << Table.toStdString();
        EXPECT_GT(T->FieldAsInteger(0), 0);
    }

    // Every number the program reads comes out as a number, quantite as a real.
    const std::unique_ptr<TQlTable> R = Db->GetTable(
        QStringLiteral("select r.*, l.name as livname from recette r left join livre l on r.livcode=l.code"));
    for (const char *Column :
         {"code", "tprep", "tcuisson", "trepos", "nbpers", "menupers", "repas", "type_", "saison", "livcode"})
        EXPECT_EQ(R->ColTypes()[std::size_t(R->FieldIndex(QString::fromLatin1(Column)))], dtInt) << Column;
    EXPECT_EQ(R->FieldAsInteger(QStringLiteral("type_")), 1);
    EXPECT_EQ(R->FieldAsString(QStringLiteral("livname")), QStringLiteral("Livre"));
    EXPECT_EQ(R->FieldAsString(QStringLiteral("description")), QString());

    const std::unique_ptr<TQlTable> L =
        Db->GetTable(QStringLiteral("select ri.*, i.raycode, u.code as unitcode from ingredients ri join ingredient "
                                    "i on ri.ingcode=i.code left join unite u on ri.unitecode=u.code"));
    for (const char *Column : {"reccode", "ingcode", "unitecode", "raycode", "unitcode"})
        EXPECT_EQ(L->ColTypes()[std::size_t(L->FieldIndex(QString::fromLatin1(Column)))], dtInt) << Column;
    EXPECT_EQ(L->ColTypes()[std::size_t(L->FieldIndex(QStringLiteral("quantite")))], dtNumeric);
    // A whole quantity stays a real, so that it divides as one.
    EXPECT_EQ(Value(QStringLiteral("select typeof(quantite) from ingredients")), QStringLiteral("real"));
}

TEST_F(SchemaTest, CodesAndChangeDatesAreTheDatabasesWork)
{
    const qint64 Rec = AddRecette(QStringLiteral("Tarte"), 4);
    const qint64 Ing = AddNamed(QStringLiteral("ingredient"), QStringLiteral("Farine"));
    AddLine(Rec, Ing, 250);
    for (const QString &Table : NameTables) {
        SCOPED_TRACE(Table.toStdString());
        const qint64 First = Table == QLatin1String("recette")      ? Rec
                             : Table == QLatin1String("ingredient") ? Ing
                                                                    : AddNamed(Table, QStringLiteral("Un"));
        const qint64 Second = AddNamed(Table, QStringLiteral("Deux"));
        EXPECT_GT(First, 0);
        EXPECT_GT(Second, First);
    }
    const QStringList Tables = NameTables + QStringList{QStringLiteral("ingredients")};
    for (const QString &Table : Tables) {
        SCOPED_TRACE(Table.toStdString());
        // Local "yyyy-mm-dd hh:nn:ss", now.
        EXPECT_EQ(Value(QStringLiteral("select count(*) from %1 where inserted glob "
                                       "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' "
                                       "and updated = inserted and abs(julianday(inserted) - julianday('now', "
                                       "'localtime')) < 0.001")
                            .arg(Table)),
                  Value(QStringLiteral("select count(*) from %1").arg(Table)));
        Db->ExecSQL(
            QStringLiteral("update %1 set inserted='2000-01-01 00:00:00', updated='2000-01-01 00:00:00'").arg(Table));
    }

    // A change of a data column moves updated and leaves inserted.
    for (const QString &Table : NameTables)
        Db->ExecSQL(QStringLiteral("update %1 set name = name || ' modifié' where code = (select min(code) from %1)")
                        .arg(Table));
    Db->ExecSQL(QStringLiteral("update recette set menupers = 3"));
    Db->ExecSQL(QStringLiteral("update ingredients set quantite = 300"));
    for (const QString &Table : Tables) {
        SCOPED_TRACE(Table.toStdString());
        EXPECT_EQ(Value(QStringLiteral("select count(*) from %1 where inserted = '2000-01-01 00:00:00' and "
                                       "updated > '2000-01-01 00:00:00'")
                            .arg(Table)),
                  Table == QLatin1String("recette") ? QStringLiteral("2") : QStringLiteral("1"));
    }
}

TEST_F(SchemaTest, DuplicatesAreRefusedWithCode19)
{
    const QString Refused = QStringLiteral("Error executing SQL statement.\rError [19]: Abort due to contraint "
                                           "violation.\r");
    for (const QString &Table : NameTables) {
        SCOPED_TRACE(Table.toStdString());
        AddNamed(Table, QStringLiteral("Farine"));
        const qint64 Other = AddNamed(Table, QStringLiteral("Sucre"));
        EXPECT_TRUE(ErrorOf([&] { AddNamed(Table, QStringLiteral("Farine")); }).startsWith(Refused));
        EXPECT_TRUE(ErrorOf([&] { AddNamed(Table, QStringLiteral("FARINE")); }).startsWith(Refused));
        Db->AddParamText(":name", QStringLiteral("farine"));
        Db->AddParamInt(":code", Other);
        EXPECT_TRUE(ErrorOf([&] {
                        Db->ExecSQL(QStringLiteral("UPDATE %1 SET name=:name WHERE code=:code").arg(Table));
                    }).startsWith(Refused));
        EXPECT_EQ(Value(QStringLiteral("select count(*) from %1").arg(Table)), QStringLiteral("2"));
    }
    const qint64 Rec = Code(QStringLiteral("recette"), QStringLiteral("Farine"));
    const qint64 Ing = Code(QStringLiteral("ingredient"), QStringLiteral("Farine"));
    AddLine(Rec, Ing, 1);
    EXPECT_TRUE(ErrorOf([&] { AddLine(Rec, Ing, 2); }).startsWith(Refused));
}

TEST_F(SchemaTest, DeletingAParentRemovesOrEmptiesItsReferences)
{
    const qint64 Rayon = AddNamed(QStringLiteral("rayon"), QStringLiteral("Crèmerie"));
    const qint64 Livre = AddNamed(QStringLiteral("livre"), QStringLiteral("Livre"));
    const qint64 Unite = AddNamed(QStringLiteral("unite"), QStringLiteral("g"));
    const qint64 Beurre = AddNamed(QStringLiteral("ingredient"), QStringLiteral("Beurre"));
    const qint64 Sel = AddNamed(QStringLiteral("ingredient"), QStringLiteral("Sel"));
    Db->ExecSQL(QStringLiteral("update ingredient set raycode=%1").arg(Rayon));
    const qint64 Tarte = AddRecette(QStringLiteral("Tarte"), 4);
    const qint64 Quiche = AddRecette(QStringLiteral("Quiche"), 4);
    Db->ExecSQL(QStringLiteral("update recette set livcode=%1").arg(Livre));
    AddLine(Tarte, Beurre, 100, Unite);
    AddLine(Tarte, Sel, 1);
    AddLine(Quiche, Beurre, 50, Unite);
    AddLine(Quiche, Sel, 1);
    Db->AddParamInt(":code", Quiche);
    Db->AddParamText(":date", QStringLiteral("2024-05-01"));
    Db->ExecSQL(QStringLiteral("INSERT INTO historique (reccode, recdate) VALUES (:code, :date)"));

    // A shelf, a cookbook or a unit leaves NULL behind, read as 0.
    Db->ExecSQL(QStringLiteral("delete from rayon where code=%1").arg(Rayon));
    Db->ExecSQL(QStringLiteral("delete from livre where code=%1").arg(Livre));
    Db->ExecSQL(QStringLiteral("delete from unite where code=%1").arg(Unite));
    EXPECT_EQ(Value(QStringLiteral("select count(*) from ingredient where raycode is null")), QStringLiteral("2"));
    EXPECT_EQ(Value(QStringLiteral("select count(*) from recette where livcode is null")), QStringLiteral("2"));
    EXPECT_EQ(Value(QStringLiteral("select count(*) from ingredients where unitecode is null")), QStringLiteral("4"));
    const std::unique_ptr<TQlTable> I = Db->GetTable(QStringLiteral("select raycode from ingredient"));
    EXPECT_EQ(I->FieldAsInteger(QStringLiteral("raycode")), 0);

    // An ingredient takes its lines in every recipe; a recipe its lines and its history.
    Db->ExecSQL(QStringLiteral("delete from ingredient where code=%1").arg(Beurre));
    EXPECT_EQ(Value(QStringLiteral("select count(*) from ingredients")), QStringLiteral("2"));
    Db->ExecSQL(QStringLiteral("delete from recette where code=%1").arg(Quiche));
    EXPECT_EQ(Value(QStringLiteral("select count(*) from ingredients")), QStringLiteral("1"));
    EXPECT_EQ(Value(QStringLiteral("select count(*) from historique")), QStringLiteral("0"));

    // A reference to a missing row is refused.
    EXPECT_THROW(AddLine(Tarte, 9999, 1), ESQLiteException);
}

TEST_F(SchemaTest, ShoppingListAggregate)
{
    const qint64 Farine = AddNamed(QStringLiteral("ingredient"), QStringLiteral("Farine"));
    const qint64 A = AddRecette(QStringLiteral("A"), 4);
    const qint64 B = AddRecette(QStringLiteral("B"), 0);
    AddLine(A, Farine, 3);
    AddLine(B, Farine, 100);
    {
        TSQLiteQueryGuard Q(*Db, QStringLiteral("UPDATE recette SET menupers=? WHERE code=?"));
        for (const qint64 Rec : {A, B}) {
            Db->BindSQL(Q.Query(), 1, 2);
            Db->BindSQL(Q.Query(), 2, int(Rec));
            Db->ExecQuery(Q.Query());
        }
    }
    // 3 for 4 persons with 2 planned is 1.5; a recipe for 0 persons counts nothing.
    const std::unique_ptr<TQlTable> T = Db->GetTable(
        QStringLiteral("select ri.ingcode, ri.unitecode, note, total((quantite/r.nbpers)*r.menupers) as quantite "
                       "from ingredients ri join recette r on ri.reccode=r.code where r.menupers > 0 "
                       "group by ri.ingcode, ri.unitecode, note"));
    ASSERT_EQ(T->RowCount(), 1u);
    EXPECT_DOUBLE_EQ(T->FieldAsDouble(QStringLiteral("quantite")), 1.5);
}

TEST(GeneratedBase, OpensAndHoldsTheStarterRows)
{
    const QString Base = QStringLiteral(FENOLDA_BIN_DIR "/recipes-base.db3");
    ASSERT_TRUE(QFileInfo::exists(Base)) << "build the fenolda_data target first";
    QTemporaryDir Dir;
    const QString Copy = Dir.filePath(QStringLiteral("recipes.db3"));
    ASSERT_TRUE(QFile::copy(Base, Copy));
    TQlDatabase Db(Copy);

    EXPECT_EQ(Db.GetTableString(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    EXPECT_EQ(Db.GetTable(QStringLiteral("PRAGMA foreign_key_check"))->RowCount(), 0u);
    EXPECT_EQ(Db.GetTableString(QStringLiteral("PRAGMA user_version")), QStringLiteral("2"));

    auto Count = [&](const QString &SQL) { return Db.GetTableString(SQL).toInt(); };
    EXPECT_GE(Count(QStringLiteral("select count(*) from rayon")), 15);
    EXPECT_GE(Count(QStringLiteral("select count(*) from unite")), 20);
    EXPECT_GE(Count(QStringLiteral("select count(*) from ingredient")), 150);
    EXPECT_GE(Count(QStringLiteral("select count(*) from recette")), 90);
    EXPECT_GE(Count(QStringLiteral("select count(*) from recette where type_=0")), 25);
    EXPECT_GE(Count(QStringLiteral("select count(*) from recette where type_=1")), 30);
    EXPECT_GE(Count(QStringLiteral("select count(*) from recette where type_=2")), 25);
    EXPECT_GE(Count(QStringLiteral("select count(*) from recette where type_=3")), 5);
    EXPECT_EQ(Count(QStringLiteral("select count(*) from recette r where not exists "
                                   "(select 1 from ingredients ri where ri.reccode=r.code)")),
              0);
    // Enough distinct recipes for a 7-day menu of both meals and three dish types, in either
    // season with the season honoured.
    for (int Saison : {1, 2}) {
        for (int Type : {0, 1, 2}) {
            const QString Where = QStringLiteral("type_=%1 and (saison=0 or saison=%2)").arg(Type).arg(Saison);
            EXPECT_GE(Count(QStringLiteral("select count(*) from recette where ") + Where), 14) << Where.toStdString();
            for (int Repas : {1, 2})
                EXPECT_GE(
                    Count(QStringLiteral("select count(*) from recette where (repas=0 or repas=%1) and ").arg(Repas) +
                          Where),
                    7);
        }
    }
    // The names read back and sort with the program's collation.
    const std::unique_ptr<TQlTable> Rayons = Db.GetTable(QStringLiteral("select * from rayon order by name"));
    QStringList Names;
    for (; !Rayons->Eof(); Rayons->Next())
        Names << Rayons->FieldAsString(QStringLiteral("name"));
    EXPECT_FALSE(Names.contains(QString()));
    for (int I = 1; I < Names.size(); ++I)
        EXPECT_LE(SystemCollate2(nullptr, int(Names[I - 1].toUtf8().size()), Names[I - 1].toUtf8().constData(),
                                 int(Names[I].toUtf8().size()), Names[I].toUtf8().constData()),
                  0);
}
