// The menu document: its text, menu files of both formats, server menus and the history.
#include "Fifo.h"
#include "FullDisk.h"
#include "KVXFiles.h"
#include "MemoryLimit.h"
#include "ModelTestSupport.h"
#include "OtherFileSystem.h"
#include "TestServer.h"
#include "UnitHttp.h"
#include "UnitSync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <cstdio>
#include <functional>
#include <limits>
#include <utility>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

class TMenuDocumentTest : public TModelTest
{
protected:
    // Soupe (1, entrée), Tarte (2, dessert), Gratin (3, plat); Soupe midi on Monday, Gratin
    // and Tarte soir on Wednesday.
    void SetUp() override
    {
        TModelTest::SetUp();
        AddRecipe(QStringLiteral("Soupe à l'oignon"), 0, 0);
        AddRecipe(QStringLiteral("Tarte \"maison\""), 0, 2);
        AddRecipe(QStringLiteral("Gratin"), 0, 1);
        Menu.AddRecetteFromCode(1, 2, Start, 1);
        Menu.AddRecetteFromCode(2, 4, Start + 2, 2);
        Menu.AddRecetteFromCode(2, 4, Start + 2, 3);
    }
    QString File(const QString &Name) const { return Program.Path(Name); }
    // The user text of a menu file that failed to load: the file, then why.
    static QString FileFailure(const QString &Name, const QString &Why)
    {
        return QLatin1Char('"') + Name + QStringLiteral("\"\r\n") + Why;
    }
};

const QString InvalidMenu = QStringLiteral("Le menu n'a pas un format valide.");


TEST_F(TMenuDocumentTest, DocumentTextInTheReadableLayout)
{
    const QString Recipe = QStringLiteral("    {\r\n      \"jour\":%1,\r\n      \"repas\":%2,\r\n      \"pers\":%3,\r\n"
                                          "      \"code\":%4,\r\n      \"name\":\"%5\"\r\n    }");
    EXPECT_EQ(Menu.SaveToJson(QString()),
              QStringLiteral("{\r\n  \"recettes\":[\r\n") + Recipe.arg(0).arg(1).arg(2).arg(1).arg("Soupe à l'oignon") +
                  QStringLiteral(",\r\n") + Recipe.arg(2).arg(2).arg(4).arg(3).arg("Gratin") + QStringLiteral(",\r\n") +
                  Recipe.arg(2).arg(2).arg(4).arg(2).arg("Tarte \\\"maison\\\"") + QStringLiteral("\r\n  ]\r\n}"));
    EXPECT_TRUE(Menu.SaveToJson(QStringLiteral("Mai"))
                    .startsWith(QStringLiteral("{\r\n  \"name\":\"Mai\",\r\n  \"recettes\":[\r\n    {\r\n")));
    // A first day left with empty headers does not count: "jour" starts at the first recipe.
    Menu.DeleteLine(2);
    EXPECT_TRUE(Menu.SaveToJson(QString()).contains(QStringLiteral("\"jour\":0,\r\n      \"repas\":2")));
    Menu.Clear();
    EXPECT_EQ(Menu.SaveToJson(QString()), QStringLiteral("{\r\n  \"recettes\":[]\r\n}"));
}

TEST_F(TMenuDocumentTest, SavedMenuReloadsFromAnotherDayAndRecordsTheHistory)
{
    EXPECT_TRUE(Menu.IsModified());
    SetClock(Start + 1);
    Menu.SaveToFile(File(QStringLiteral("menu.txt")));
    Menu.SaveToFile(File(QStringLiteral("menu.txt")));
    EXPECT_FALSE(Menu.IsModified());
    EXPECT_EQ(KVXReadFile(File(QStringLiteral("menu.txt"))), Menu.SaveToJson(QString()));
    // Saved on the Tuesday: Monday's recipe is not recorded, the others once each.
    EXPECT_EQ(Database->GetTableString(QStringLiteral(
                  "select group_concat(reccode || ' ' || recdate, ';') from (select * from historique order by 1)")),
              QStringLiteral("2 2026-05-06;3 2026-05-06"));
    Menu.ModifyRecette(5, 2, Start + 2, 6);
    EXPECT_TRUE(Menu.IsModified());

    // Opened from a Thursday: the same recipes, meals and persons on Thursday and Saturday.
    Menu.Clear();
    Menu.LoadFromFile(File(QStringLiteral("menu.txt")), EncodeDate(2026, 5, 7) + 0.75);
    EXPECT_FALSE(Menu.IsModified());
    EXPECT_EQ(Menu.GetCodeList(), QStringLiteral("1,3,2"));
    EXPECT_EQ(Menu.GetRecette(2)->MenuDate, EncodeDate(2026, 5, 7));
    const TLineRecette *Tarte = Menu.GetRecette(6);
    EXPECT_TRUE(Tarte->MenuDate == EncodeDate(2026, 5, 9) && Tarte->MenuRepas == 2 && Tarte->MenuPers == 4);
    // A document adds to the recipes already there.
    AddRecipe(QStringLiteral("Salade"), 0, 0);
    Menu.LoadFromJson(QStringLiteral("{\"recettes\":[{\"jour\":1,\"repas\":1,\"pers\":1,\"code\":4}]}"), Start);
    EXPECT_EQ(Menu.GetCodeList(), QStringLiteral("4,1,3,2"));
}

TEST_F(TMenuDocumentTest, OlderLineFormat)
{
    const QString Old = File(QStringLiteral("old.txt"));
    const auto Load = [&](const QString &Text) {
        KVXWriteText(Old, Text, true);
        return FailureOf([&] { Menu.LoadFromFile(Old, Start); });
    };
    Menu.SavedJson = QStringLiteral("before");
    EXPECT_FALSE(Load(QStringLiteral("jour=0,repas=1,pers=2,\"nom=Soupe à l'oignon\"\r\n"
                                     "jour=2 pers=4 repas=2 \"nom=Tarte \"\"maison\"\"\"\r\n"))
                     .Raised);
    EXPECT_EQ(Menu.GetCodeList(), QStringLiteral("1,2"));
    EXPECT_EQ(Menu.SavedJson, QStringLiteral("before"));

    // An unquoted name with blanks is cut at the first blank.
    const TFailure Cut = Load(QStringLiteral("jour=0,repas=1,pers=2,nom=Soupe à l'oignon"));
    EXPECT_EQ(Cut.UserMessage,
              FileFailure(Old, QStringLiteral("Impossible de charger la recette \"Soupe\".\r\n") + RecetteMissing));
    EXPECT_EQ(Cut.Message, QStringLiteral("[TRecetteList.LoadFromFile] [TRecetteList.LoadFromList] "
                                          "[TRecetteList.GetRecetteFromName] [TRecetteList.GetUniqueRecette] ") +
                               RecetteMissing);
    // The older format's lines are held to the same values, line by line.
    for (const char *Line :
         {"jour=0,repas=3,pers=2,\"nom=Soupe à l'oignon\"", "jour=0,repas=1,pers=-2,\"nom=Soupe à l'oignon\""}) {
        EXPECT_EQ(Load(QString::fromUtf8(Line)).UserMessage,
                  FileFailure(Old, QStringLiteral("Impossible de charger la recette \"Soupe à l'oignon\".\r\n") +
                                       InvalidMenu))
            << Line;
        EXPECT_EQ(Menu.Count(), 0);
    }
    // A file padded with NULs, or a UTF-16 file: read, never a hang.
    {
        QFile F(Old);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        F.write(QByteArray("jour=0,repas=1,pers=2,\"nom=Soupe \xC3\xA0 l'oignon\"\r\n") + QByteArray(64, '\0'));
    }
    EXPECT_TRUE(FailureOf([&] { Menu.LoadFromFile(Old, Start); }).Raised);
    {
        QFile F(Old);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly));
        QStringEncoder Encoder(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
        F.write(Encoder.encode(QStringLiteral("jour=0,repas=1,pers=2,\"nom=Soupe à l'oignon\"\r\n")));
    }
    Menu.LoadFromFile(Old, Start);
    EXPECT_EQ(Menu.GetCodeList(), QStringLiteral("1"));

    // A first line "{" with more on it is the older format.
    EXPECT_EQ(
        Load(QStringLiteral("{ \r\n\"recettes\":[]}")).Message,
        QStringLiteral("[TRecetteList.LoadFromFile] [TRecetteList.LoadFromList] '' is not a valid integer value"));
}

TEST_F(TMenuDocumentTest, AFileThatIsNoMenuIsNamedAndRefusedInFrench)
{
    const QString Name = File(QStringLiteral("menu.txt"));
    const auto Load = [&](const QByteArray &Bytes) {
        QFile F(Name);
        EXPECT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
        F.write(Bytes);
        F.close();
        return FailureOf([&] { Menu.LoadFromFile(Name, Start); });
    };
    const std::pair<const char *, QByteArray> Files[] = {
        {"empty", QByteArray()},
        {"binary", QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000100000001008060000001ff3ff61")},
        {"not JSON", QByteArray("{\r\n  \"recettes\":[\r\n")},
        {"blank line",
         QByteArray("jour=0,repas=1,pers=2,\"nom=Gratin\"\r\n\r\njour=1,repas=1,pers=2,\"nom=Soupe\"\r\n")},
        {"shape", QByteArray("{\r\n  \"recettes\":{}\r\n}")}};
    for (const auto &[What, Bytes] : Files) {
        const TFailure Failure = Load(Bytes);
        EXPECT_EQ(Failure.UserMessage, FileFailure(Name, InvalidMenu)) << What;
        EXPECT_TRUE(Failure.Message.startsWith(QStringLiteral("[TRecetteList.LoadFromFile] "))) << What;
    }
    const QString Missing = File(QStringLiteral("absent.txt"));
    EXPECT_EQ(FailureOf([&] { Menu.LoadFromFile(Missing, Start); }).UserMessage, FileFailure(Missing, InvalidMenu));
    // A recipe the base lacks keeps its own reason.
    EXPECT_EQ(Load("{\r\n\"recettes\":[{\"jour\":0,\"repas\":1,\"pers\":2,\"code\":99}]}").UserMessage,
              FileFailure(Name, RecetteMissing));
}

TEST_F(TMenuDocumentTest, OnlyARegularFileOfAMenusSizeIsRead)
{
    const int Rows = Menu.Count();
    const QString Saved = Menu.SavedJson = QStringLiteral("as saved");
    const auto Refused = [&](const QString &Name) {
        EXPECT_EQ(FailureOf([&] { Menu.LoadFromFile(Name, Start + 7); }).UserMessage, FileFailure(Name, InvalidMenu))
            << Name.toStdString();
        EXPECT_EQ(Menu.Count(), Rows);
        EXPECT_EQ(Menu.SavedJson, Saved);
    };
    // A FIFO would wait for a writer: it is not read.
    {
        const TFifo Fifo(File(QStringLiteral("tube.txt")));
        ASSERT_TRUE(Fifo.Made());
        Refused(File(QStringLiteral("tube.txt")));
        EXPECT_FALSE(Fifo.Released()) << "the load waited on the FIFO";
    }
    // A device never ends, and a file of 2 GB that takes no room on the disk would fill the
    // memory: both are refused by what they are, never read. A child process under a memory
    // limit tries them, so that a reader that reads them anyway fails without exhausting the
    // machine.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), File(QStringLiteral("zero.txt"))));
    const QString Sparse = File(QStringLiteral("grand.txt"));
    {
        QFile F(Sparse);
        ASSERT_TRUE(F.open(QIODevice::WriteOnly) && F.write("{\r\n") == 3 && F.resize(qint64(2) << 30));
    }
    const std::pair<QString, QString> Never[] = {
        {File(QStringLiteral("zero.txt")), QStringLiteral("is not a regular file")},
        {QStringLiteral("/dev/zero"), QStringLiteral("is not a regular file")},
        {Sparse, QStringLiteral("bytes, more than 16777216")}};
    EXPECT_TRUE(InAChildUnderAMemoryLimit([&] {
        bool Ok = true;
        for (const auto &[Name, Why] : Never) {
            const TFailure Failure = FailureOf([&] { Menu.LoadFromFile(Name, Start + 7); });
            if (Failure.UserMessage != FileFailure(Name, InvalidMenu) || !Failure.Message.contains(Why) ||
                Menu.Count() != Rows || Menu.SavedJson != Saved) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(Name), qPrintable(Failure.Message));
                Ok = false;
            }
        }
        return Ok;
    }));

    // 16 MB, blanks and all, is still read.
    const QByteArray Head("{\r\n"), Tail("\"recettes\":[]}");
    const QString Edge = File(QStringLiteral("limite.txt"));
    KVXReplaceFile(Edge, Head + QByteArray(16 * 1024 * 1024 - Head.size() - Tail.size(), ' ') + Tail);
    ASSERT_EQ(QFileInfo(Edge).size(), 16 * 1024 * 1024);
    Menu.LoadFromFile(Edge, Start);
    EXPECT_EQ(Menu.Count(), Rows);
    Menu.SavedJson = Saved;
    ASSERT_TRUE(QFile::resize(Edge, QFileInfo(Edge).size() + 1));
    Refused(Edge);
}

TEST_F(TMenuDocumentTest, HugeNamesAndDaysAreRefusedAsMalformed)
{
    const QString Old = File(QStringLiteral("old.txt"));
    const auto Load = [&](const QString &Text) {
        KVXWriteText(Old, Text, true);
        return FailureOf([&] { Menu.LoadFromFile(Old, Start); });
    };
    // A name as long as the editor allows is looked up; a longer one, or one of megabytes, is
    // refused without being copied into the user's text.
    const QString Longest(128, QLatin1Char('n'));
    AddRecipe(Longest, 0, 1);
    EXPECT_FALSE(Load(QStringLiteral("jour=0,repas=1,pers=2,nom=") + Longest).Raised);
    EXPECT_EQ(Menu.Count(), 3);
    for (const int Size : {129, 4 << 20}) {
        const TFailure Failure = Load(QStringLiteral("jour=0,repas=1,pers=2,nom=") + QString(Size, QLatin1Char('n')));
        EXPECT_EQ(Failure.UserMessage, FileFailure(Old, InvalidMenu)) << Size;
        EXPECT_LT(Failure.Message.size(), 200) << Size;
        EXPECT_EQ(Menu.Count(), 0);
    }

    // The last day the date type holds loads; one more, or the largest int, is refused before
    // anything is added.
    const int LastDay = int(EncodeDate(9999, 12, 31) - DateOf(Start));
    const QString Document = QStringLiteral("{\"recettes\":[{\"jour\":0,\"repas\":1,\"pers\":2,\"code\":1},"
                                            "{\"jour\":%1,\"repas\":1,\"pers\":2,\"code\":2}]}");
    for (const int Jour : {LastDay + 1, std::numeric_limits<int>::max()}) {
        Menu.Clear();
        const TFailure Failure = FailureOf([&] { Menu.LoadFromJson(Document.arg(Jour), Start); });
        EXPECT_EQ(Failure.UserMessage, InvalidMenu) << Jour;
        EXPECT_EQ(Menu.Count(), 0);
        EXPECT_EQ(Load(QStringLiteral("jour=%1,repas=1,pers=2,nom=Gratin").arg(Jour)).UserMessage,
                  FileFailure(Old, QStringLiteral("Impossible de charger la recette \"Gratin\".\r\n") + InvalidMenu))
            << Jour;
    }
    Menu.Clear();
    Menu.LoadFromJson(Document.arg(LastDay), Start);
    EXPECT_EQ(Menu.GetRecette(Menu.Count() - 1)->MenuDate, EncodeDate(9999, 12, 31));
    EXPECT_TRUE(Menu.SaveToJson(QString()).contains(QStringLiteral("\"jour\":%1,").arg(LastDay)));
}

TEST_F(TMenuDocumentTest, DocumentsOfAnotherShapeAreRefusedBeforeAnythingIsAdded)
{
    Menu.Clear();
    const QString Valid = QStringLiteral("{\"jour\":0,\"repas\":1,\"pers\":2,\"code\":1}");
    for (const QString &Text :
         {QStringLiteral("{}"), QStringLiteral("{\"recettes\":{}}"), QStringLiteral("{\"recettes\":[%1,3]}"),
          QStringLiteral("{\"recettes\":[%1,{\"jour\":0,\"repas\":1,\"code\":2}]}"),
          QStringLiteral("{\"recettes\":[%1,{\"jour\":0,\"repas\":1,\"pers\":2,\"code\":\"2\"}]}"),
          QStringLiteral("{\"recettes\":[%1,{\"jour\":0.5,\"repas\":1,\"pers\":2,\"code\":2}]}"),
          QStringLiteral("{\"recettes\":[%1,{\"jour\":0,\"repas\":1,\"pers\":2,\"code\":4294967298}]}"),
          // Values no saved menu holds: a third meal, negative persons, a day before the first.
          QStringLiteral("{\"recettes\":[%1,{\"jour\":0,\"repas\":3,\"pers\":2,\"code\":2}]}"),
          QStringLiteral("{\"recettes\":[%1,{\"jour\":0,\"repas\":0,\"pers\":2,\"code\":2}]}"),
          QStringLiteral("{\"recettes\":[%1,{\"jour\":0,\"repas\":2,\"pers\":-4,\"code\":2}]}"),
          QStringLiteral("{\"recettes\":[%1,{\"jour\":-1,\"repas\":2,\"pers\":4,\"code\":2}]}")}) {
        const TFailure Failure =
            FailureOf([&] { Menu.LoadFromJson(QString(Text).replace(QStringLiteral("%1"), Valid), Start); });
        EXPECT_EQ(Failure.UserMessage, QStringLiteral("Le menu n'a pas un format valide.")) << Text.toStdString();
        EXPECT_TRUE(Failure.Message.startsWith(QStringLiteral("[TRecetteList.LoadFromJson] Invalid menu document: ")));
        EXPECT_EQ(Menu.Count(), 0);
    }
    // A code listed twice: the first is added, the second refused, SavedJson left alone.
    EXPECT_EQ(
        FailureOf([&] { Menu.LoadFromJson(QStringLiteral("{\"recettes\":[%1,%1]}").arg(Valid), Start); }).UserMessage,
        RecetteMissing);
    EXPECT_EQ(Menu.GetCodeList(), QStringLiteral("1"));
    EXPECT_EQ(Menu.SavedJson, QString());
}

TEST_F(TMenuDocumentTest, AFailedFileSaveLeavesTheMenuModifiedAndTheOldFileWhole)
{
    const QString Name = File(QStringLiteral("menu.txt"));
    Menu.SaveToFile(Name);
    const QString Saved = Menu.SavedJson;
    Menu.ModifyRecette(2, 1, Start, 5);
    // A path under a regular file cannot be written, whoever runs the test.
    KVXWriteText(File(QStringLiteral("afile")), QStringLiteral("x"), true);
    EXPECT_TRUE(FailureOf([&] { Menu.SaveToFile(File(QStringLiteral("afile/menu.txt"))); }).Raised);
    EXPECT_TRUE(Menu.IsModified());
    EXPECT_EQ(Menu.SavedJson, Saved);

    // Replaced as a whole, not rewritten in place: another name of the old file keeps its text.
    ASSERT_EQ(::link(QFile::encodeName(Name).constData(), QFile::encodeName(File(QStringLiteral("old"))).constData()),
              0);
    Menu.SaveToFile(Name);
    EXPECT_EQ(KVXReadFile(Name), Menu.SavedJson);
    EXPECT_EQ(KVXReadFile(File(QStringLiteral("old"))), Saved);
    EXPECT_EQ(QDir(Program.Dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"afile", "fenolda", "menu.txt", "old", "recipes.db3"}));
}

TEST_F(TMenuDocumentTest, AnyNameTheFileSystemTakesIsSavedAndAMissingFolderIsNamed)
{
    // 255 bytes in UTF-8, accents included.
    const QString Longest = File(QString(123, QChar(0xE9)) + QStringLiteral("-menu.txt"));
    ASSERT_EQ(QFileInfo(Longest).fileName().toUtf8().size(), 255);
    Menu.SaveToFile(Longest);
    EXPECT_EQ(KVXReadFile(Longest), Menu.SavedJson);

    // Through a link into another file system, the file it leads to is replaced.
    const TOtherFileSystem Shm(Program.Dir.path());
    if (Shm.Valid()) {
        const QString Link = File(QStringLiteral("ailleurs.txt"));
        ASSERT_TRUE(QFile::link(Shm.Path(QStringLiteral("menu.txt")), Link));
        Menu.SaveToFile(Link);
        EXPECT_TRUE(QFileInfo(Link).isSymLink());
        EXPECT_EQ(KVXReadFile(Shm.Path(QStringLiteral("menu.txt"))), Menu.SavedJson);
    } else {
        std::puts("no writable file system apart from the test's folder (/dev/shm): the save across them is skipped");
    }

    const QString Absent = File(QStringLiteral("absent/menu.txt"));
    Menu.ModifyRecette(2, 1, Start, 5);
    EXPECT_EQ(
        FailureOf([&] { Menu.SaveToFile(Absent); }).UserMessage,
        QStringLiteral("Impossible d'enregistrer le menu dans le fichier \"%1\".\r\nLe dossier \"%2\" n'existe pas.")
            .arg(Absent, File(QStringLiteral("absent"))));
    EXPECT_TRUE(Menu.IsModified());
}

TEST_F(TMenuDocumentTest, AFullDiskOrAClosedFolderKeepsTheOlderFileAndSaysWhyInFrench)
{
    TFullDisk Disk;
    const QString Name = Disk.Path(QStringLiteral("menu.txt"));
    Menu.SaveToFile(Name);
    const QByteArray Older = KVXReadFileBytes(Name);
    const QString Saved = Menu.SavedJson;
    Menu.ModifyRecette(2, 1, Start, 5);
    Disk.Fill();
    EXPECT_EQ(
        FailureOf([&] { Menu.SaveToFile(Name); }).UserMessage,
        QStringLiteral("Impossible d'enregistrer le menu dans le fichier \"%1\".\r\nLe disque est plein.").arg(Name));
    EXPECT_EQ(KVXReadFileBytes(Name), Older);
    EXPECT_TRUE(Menu.IsModified());
    EXPECT_EQ(Menu.SavedJson, Saved);
    Disk.Release();

    const QString Other = Disk.Path(QStringLiteral("autre.txt"));
    if (Disk.MakeReadOnly()) {
        EXPECT_EQ(FailureOf([&] { Menu.SaveToFile(Other); }).UserMessage,
                  QStringLiteral("Impossible d'enregistrer le menu dans le fichier \"%1\".\r\nLe dossier \"%2\" est "
                                 "protégé en écriture.")
                      .arg(Other, Disk.Dir.path()));
        EXPECT_TRUE(Menu.IsModified());
    }
}

TEST_F(TMenuDocumentTest, ServerMenusAndAFailedRequest)
{
    TTestServer Server;
    SetWebAddressesForTesting(Server.Address(), Server.Address());
    Config->SetSyncEmail(QString::fromStdString(TestEmail));
    Config->SetSyncApiKey(QString::fromStdString(TestApiKey));
    InitializeUnitHttp();
    InitializeUnitSync();
    EXPECT_EQ(Menu.AddMenu(QStringLiteral("Mon menu")), 17);
    EXPECT_FALSE(Menu.IsModified());
    EXPECT_EQ(Server.Requests().back().Body, Menu.SaveToJson(QStringLiteral("Mon menu")).toStdString());
    Menu.ModifyRecette(2, 1, Start, 5);
    Menu.UpdateMenu(17);
    EXPECT_FALSE(Menu.IsModified());
    EXPECT_EQ(Server.Requests().back().Line + Server.Requests().back().Body,
              "PUT /fenolda/menu/17" + Menu.SavedJson.toStdString());

    // The server fails: the history is recorded, the menu still counts as modified.
    const QString Saved = Menu.SavedJson;
    Server.Answer("*", "/fenolda/menu/17", {500});
    Server.Answer("*", "/fenolda/menu", {500});
    Exec(QStringLiteral("DELETE FROM historique"));
    Menu.ModifyRecette(2, 1, Start, 6);
    EXPECT_TRUE(FailureOf([&] {
                    Menu.UpdateMenu(17);
                }).UserMessage.startsWith(QStringLiteral("Erreur de modification du menu.")));
    EXPECT_TRUE(Menu.IsModified());
    EXPECT_EQ(Menu.SavedJson, Saved);
    EXPECT_EQ(Int(QStringLiteral("select count(*) from historique")), 3);
    EXPECT_TRUE(FailureOf([&] {
                    Menu.AddMenu(QStringLiteral("Autre"));
                }).UserMessage.startsWith(QStringLiteral("Erreur de création du menu.")));
    EXPECT_TRUE(Menu.IsModified());
    FinalizeUnitSync();
    FinalizeUnitHttp();
}
