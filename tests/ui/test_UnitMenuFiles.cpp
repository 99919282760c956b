// The main window's menu-file commands as the user drives them: menus saved to files and
// opened again, the question that protects unsaved changes, the backup with its reminder,
// and, with synchronisation on, menus kept on the loopback test server.
#include "ChildControl.h"
#include "MenusTestSupport.h"

#include "Fifo.h"
#include "FullDisk.h"
#include "KVXFiles.h"
#include "MemoryLimit.h"
#include "RecipeBase.h"
#include "SevenButton.h"
#include "SyncTestSupport.h"
#include "TestServer.h"
#include "UnitConfig.h"
#include "UnitConst.h"
#include "UnitCourses.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitHttp.h"
#include "UnitMenuFiles.h"
#include "UnitMenuList.h"
#include "UnitMenuName.h"
#include "UnitRecetteList.h"
#include "UnitSync.h"
#include "UnitTools.h"

#include <QAbstractButton>
#include <QAbstractFileIconProvider>
#include <QAbstractProxyModel>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class TMenuFilesTest : public TMenusTest
{
protected:
    void SetUp() override
    {
        TMenusTest::SetUp();
        TFileDialogTest::Reset();
        // With a web API named, synchronisation is on by default: menus go to files only once
        // it is switched off.
        Config->SetSyncEnabled(false);
    }
    void TearDown() override
    {
        EXPECT_FALSE(TFileDialogTest::NamesLeft()) << "file names were left for the dialogs";
        TFileDialogTest::Reset();
        TMenusTest::TearDown();
    }

    // Two days of lunch plats from Day1.
    void GenerateMenu() { Generate(2, true, false, false, true, false); }
    QString SaveDir() const { return Config->SaveDir; }
    // A menu file of that name in the save folder.
    QString Saved(const QString &Name) const { return QDir(SaveDir()).filePath(Name + QStringLiteral(".txt")); }
    void Press(const char *Button) { QTest::mouseClick(Find<TSevenButton>(Button), Qt::LeftButton); }
    QString Status() const { return Find<QLabel>("StatusPanel0")->text(); }
    // The page's templates in Folder, which becomes the program's "html" folder.
    void InstallTemplates(const QString &Folder)
    {
        ASSERT_TRUE(QDir().mkpath(Folder));
        for (const char *Name : {"header.tpl", "footer.tpl"})
            ASSERT_TRUE(QFile::copy(DataFile(QStringLiteral("html/") + QLatin1String(Name)),
                                    Folder + QLatin1Char('/') + QLatin1String(Name)));
        if (Folder != Program->Path(QStringLiteral("html"))) {
            ASSERT_TRUE(QFile::link(Folder, Program->Path(QStringLiteral("html"))));
        }
    }
    // "Liste de courses", then "Imprimer la liste".
    void PrintList()
    {
        Press("BtCourses");
        QTest::mouseClick(Child<TSevenButton>(FormCourses, "BtView"), Qt::LeftButton);
    }
};

const QString SaveQuestion =
    QStringLiteral("Vous n'avez pas enregistré vos modifications, voulez-vous les enregistrer ?");

} // namespace

TEST_F(TMenuFilesTest, AMenuSavedToAFileOpensAgainFromAnotherStartDate)
{
    StartProgram();
    GenerateMenu();
    const QString Shape = MenuShape(*W->Menu);

    // The first save proposes the long date of the first day, in the "save" folder.
    TFileDialogTest::QueueFileNames({QStringLiteral("semaine")});
    Press("BtSaveList");
    EXPECT_EQ(TFileDialogTest::LastDialog(), QStringLiteral("SaveDialog"));
    EXPECT_EQ(TFileDialogTest::LastProposed(), SaveDir() + QStringLiteral("/samedi 5 octobre 2024"));
    const QString File = Saved(QStringLiteral("semaine"));
    EXPECT_EQ(Status(), File);
    EXPECT_EQ(KVXReadFileBytes(File), W->Menu->SaveToJson(QString()).toUtf8());
    EXPECT_TRUE(KVXReadFileBytes(File).startsWith("{\r\n  \"recettes\":[\r\n"))
        << KVXReadFileBytes(File).left(40).toStdString();
    EXPECT_FALSE(W->Menu->IsModified());

    // Saved and unchanged: "Enregistrer" writes the same file without a dialog, "Nouveau"
    // asks nothing.
    Press("BtSaveList");
    EXPECT_EQ(TFileDialogTest::ShowCount(), 1);
    Press("BtNewList");
    EXPECT_EQ(TDialogTest::ShowCount(), 0);
    EXPECT_EQ(W->Menu->Count(), 0);
    EXPECT_EQ(Status(), QStringLiteral("*"));

    // Opened a week later: the information box names the start date, and the menu is laid
    // out from it.
    Find<QDateEdit>("EdStartDate")->setDate(QDate(2024, 10, 12));
    TFileDialogTest::QueueFileNames({File});
    TDialogTest::QueueAnswers({mrOk});
    Press("BtOpenList");
    EXPECT_EQ(TFileDialogTest::LastDialog(), QStringLiteral("OpenDialog"));
    EXPECT_EQ(TDialogTest::LastKind(), dtInfo);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("Le menu sera chargé à partir du samedi 12 octobre.\r\nVous pouvez modifier la date de "
                             "départ dans le cadre \"Menu aléatoire\"."));
    EXPECT_EQ(W->Menu->GetFirstDate(), EncodeDate(2024, 10, 12));
    EXPECT_EQ(MenuShape(*W->Menu).remove(QRegularExpression(QStringLiteral("D\\d+"))),
              QString(Shape).remove(QRegularExpression(QStringLiteral("D\\d+"))));
    EXPECT_EQ(Status(), File);
    EXPECT_EQ(Find<TDrawGrid>("GridMenus")->RowCount(), W->Menu->Count());

    // Opened and unchanged: closing asks nothing (a backup was made lately).
    Config->SetBackupDate(Day1);
    EXPECT_TRUE(W->close());
    EXPECT_EQ(TDialogTest::ShowCount(), 1);
}

TEST_F(TMenuFilesTest, TheRealOpenDialogIsBuiltAtItsFirstUseAndOpensASavedMenu)
{
    const TFileDialogTest::TRealDialog RealDialog;
    StartProgram();
    // Nothing of the file dialogs is built at start-up.
    EXPECT_EQ(W->findChild<QFileDialog *>(), nullptr);

    GenerateMenu();
    const QString Shape = MenuShape(*W->Menu);
    TFileDialogTest::QueueFileNames({QStringLiteral("réel")});
    Press("BtSaveList");
    const QString File = Saved(QStringLiteral("réel"));
    Press("BtNewList");
    ASSERT_EQ(W->Menu->Count(), 0);

    TDialogTest::QueueAnswers({mrOk});
    AnswerModals({[&](QWidget *Modal) {
        auto *Dialog = qobject_cast<QFileDialog *>(Modal);
        ASSERT_NE(Dialog, nullptr);
        EXPECT_EQ(Dialog->objectName(), QStringLiteral("OpenDialog"));
        EXPECT_EQ(Dialog->directory().absolutePath(), QDir(SaveDir()).absolutePath());
        // Its detail columns are French too, whatever the desktop's language.
        auto *Columns = Dialog->proxyModel();
        ASSERT_NE(Columns, nullptr);
        auto *Files = qobject_cast<QFileSystemModel *>(Columns->sourceModel());
        ASSERT_NE(Files, nullptr);
        const QModelIndex Row = Columns->mapFromSource(Files->index(File));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !Row.siblingAtColumn(3).data().toString().isEmpty(); }));
        EXPECT_EQ(Row.siblingAtColumn(2).data().toString(), QStringLiteral("Fichier txt"));
        EXPECT_EQ(
            Row.siblingAtColumn(3).data().toString(),
            QLocale(QLocale::French, QLocale::France).toString(QFileInfo(File).lastModified(), QLocale::ShortFormat));
        // Typed into the name field and confirmed with Enter, as the user does.
        auto *Name = Dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(Name, nullptr);
        Name->setText(QFileInfo(File).fileName());
        QTest::keyClick(Name, Qt::Key_Return);
    }});
    Press("BtOpenList");
    EXPECT_EQ(ModalsAnswered(), 1);
    EXPECT_EQ(W->FileName, File);
    EXPECT_EQ(MenuShape(*W->Menu), Shape);
}

// A file dialog tells a file's type and icon from its name and kind, never from its content: a
// file that blocks when read (/proc/kmsg, as root) or a FIFO never holds it, and a picture
// without an extension is a "Fichier".
TEST_F(TMenuFilesTest, AFileDialogNeverReadsAFileToTellItsType)
{
    const TFileDialogTest::TRealDialog RealDialog;
    StartProgram();
    const QString Picture = QDir(SaveDir()).filePath(QStringLiteral("image"));
    KVXReplaceFile(Picture, QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"));
    const QString Fifo = QDir(SaveDir()).filePath(QStringLiteral("tube"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
    QStringList Files{Picture, Fifo};
    QStringList Expected{QStringLiteral("Fichier, icon"), QStringLiteral("Fichier, icon")};
    if (::access("/proc/kmsg", R_OK) == 0) {
        Files << QStringLiteral("/proc/kmsg");
        Expected << QStringLiteral("Fichier, icon");
    } else {
        RecordProperty("KernelMessages", "/proc/kmsg cannot be read by this user");
    }
    AnswerModals({[&](QWidget *Modal) {
        auto *Dialog = qobject_cast<QFileDialog *>(Modal);
        ASSERT_NE(Dialog, nullptr);
        const QAbstractFileIconProvider *Icons = Dialog->iconProvider();
        const auto ToldAsExpected = [&] {
            QStringList Told;
            for (const QString &File : std::as_const(Files))
                Told << Icons->type(QFileInfo(File)) + (Icons->icon(QFileInfo(File)).isNull()
                                                            ? QStringLiteral(", no icon")
                                                            : QStringLiteral(", icon"));
            if (Told != Expected)
                std::fprintf(stderr, "The dialog told: %s\n", qPrintable(Told.join(QStringLiteral(" | "))));
            return Told == Expected;
        };
        // Asked in a child process that is ended after a few seconds: a provider that reads a
        // file may never come back.
        EXPECT_TRUE(InAChildUnderAMemoryLimit(ToldAsExpected, rlim_t(512) << 20, 5));
        Dialog->reject();
    }});
    Press("BtBaseBackup");
    EXPECT_EQ(ModalsAnswered(), 1);
}

// A fresh install of a build that names no server: the first "Enregistrer" asks for a file
// through Qt's own dialog, in French.
TEST_F(TMenuFilesTest, WithoutAServerTheFirstSaveAsksForAFileInFrench)
{
    const TWebApiAddress None{QString()};
    const TFileDialogTest::TRealDialog RealDialog;
    ASSERT_TRUE(QFile::remove(Config->IniFileName));
    StartProgram();
    GenerateMenu();
    AnswerModals({[&](QWidget *Modal) {
        auto *Dialog = qobject_cast<QFileDialog *>(Modal);
        ASSERT_NE(Dialog, nullptr);
        EXPECT_EQ(Dialog->objectName(), QStringLiteral("SaveDialog"));
        QStringList Texts;
        for (const QLabel *Label : Dialog->findChildren<QLabel *>())
            Texts << Label->text();
        for (const QAbstractButton *Button : Dialog->findChildren<QAbstractButton *>())
            Texts << Button->text();
        const QString Shown = Texts.join(QLatin1Char('|'));
        for (const char *French : {"Voir dans :", "&Nom de fichier :", "&Enregistrer", "Annuler"})
            EXPECT_TRUE(Shown.contains(QString::fromUtf8(French))) << French << " in " << Shown.toStdString();
        auto *Name = Dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(Name, nullptr);
        Name->setText(QStringLiteral("premier"));
        QTest::keyClick(Name, Qt::Key_Return);
    }});
    Press("BtSaveList");
    EXPECT_EQ(ModalsAnswered(), 1);
    EXPECT_EQ(W->FileName, Saved(QStringLiteral("premier")));
    EXPECT_TRUE(QFile::exists(Saved(QStringLiteral("premier"))));
}

// A test that forgets to queue a name fails at once instead of waiting on a real dialog until
// the run's time limit; the program then goes on as after a cancel.
TEST_F(TMenuFilesTest, AFileDialogWithoutAQueuedNameIsReportedAndChoosesNothing)
{
    StartProgram();
    GenerateMenu();
    QStringList Reported;
    const TFileDialogTest::TUnanswered Previous =
        TFileDialogTest::SetUnansweredHandler([&](const QString &Dialog) { Reported << Dialog; });
    Press("BtSaveList");
    Press("BtBaseBackup");
    TFileDialogTest::SetUnansweredHandler(Previous);

    EXPECT_EQ(Reported, (QStringList{QStringLiteral("SaveDialog"), QStringLiteral("SaveDialogDb")}));
    EXPECT_EQ(W->findChild<QFileDialog *>(), nullptr);
    EXPECT_TRUE(W->Menu->IsModified());
    EXPECT_EQ(Status(), QStringLiteral("*"));
    EXPECT_EQ(TDialogTest::ShowCount(), 0);
}

TEST_F(TMenuFilesTest, NewAsksToSaveOnlyWhenSomethingWouldBeLost)
{
    StartProgram();
    // An empty menu never saved: nothing to ask.
    Press("BtNewList");
    EXPECT_EQ(TDialogTest::ShowCount(), 0);

    // A generated menu: Escape keeps everything, "Non" empties the grid.
    GenerateMenu();
    const int Rows = W->Menu->Count();
    TDialogTest::QueueAnswers({mrCancel});
    Press("BtNewList");
    EXPECT_EQ(TDialogTest::LastMessage(), SaveQuestion);
    EXPECT_EQ(TDialogTest::LastKind(), dtConfirm);
    EXPECT_EQ(W->Menu->Count(), Rows);
    TDialogTest::QueueAnswers({mrNo});
    Press("BtNewList");
    EXPECT_EQ(W->Menu->Count(), 0);
    EXPECT_EQ(Find<TDrawGrid>("GridMenus")->RowCount(), 0);
    EXPECT_EQ(Status(), QStringLiteral("*"));

    // "Oui" saves first; a cancelled file dialog keeps the menu.
    GenerateMenu();
    TDialogTest::QueueAnswers({mrYes});
    TFileDialogTest::QueueFileNames({QString()});
    Press("BtNewList");
    EXPECT_EQ(W->Menu->Count(), Rows);
    TDialogTest::QueueAnswers({mrYes});
    TFileDialogTest::QueueFileNames({QStringLiteral("gardé")});
    Press("BtNewList");
    EXPECT_EQ(W->Menu->Count(), 0);
    EXPECT_TRUE(QFile::exists(Saved(QStringLiteral("gardé"))));

    // A saved menu changed afterwards is protected again.
    GenerateMenu();
    TFileDialogTest::QueueFileNames({QStringLiteral("changé")});
    Press("BtSaveList");
    W->Menu->ModifyRecette(2, 1, Day1, 5);
    TDialogTest::QueueAnswers({mrCancel});
    Press("BtNewList");
    EXPECT_EQ(TDialogTest::LastMessage(), SaveQuestion);
    EXPECT_EQ(TDialogTest::ShowCount(), 5);
}

TEST_F(TMenuFilesTest, SaveAsksForANameAgainWhenTheFileWasDeletedAndSaveAsMakesANewFile)
{
    StartProgram();
    GenerateMenu();
    TFileDialogTest::QueueFileNames({QStringLiteral("premier")});
    Press("BtSaveList");
    const QString First = Saved(QStringLiteral("premier"));
    ASSERT_TRUE(QFile::remove(First));

    TFileDialogTest::QueueFileNames({QStringLiteral("second")});
    Press("BtSaveList");
    EXPECT_EQ(TFileDialogTest::ShowCount(), 2);
    const QString Second = Saved(QStringLiteral("second"));
    EXPECT_EQ(Status(), Second);

    // "Enregistrer sous" writes a new file and makes it current; the old one stays.
    TFileDialogTest::QueueFileNames({QStringLiteral("troisième")});
    Press("BtSaveAs");
    EXPECT_EQ(TFileDialogTest::ShowCount(), 3);
    EXPECT_EQ(Status(), Saved(QStringLiteral("troisième")));
    EXPECT_TRUE(QFile::exists(Second));
}

TEST_F(TMenuFilesTest, ClosingWithAFailingSaveKeepsTheWindowOpenAndTheMenuModified)
{
    StartProgram();
    GenerateMenu();
    Config->SetBackupDate(Day1);
    // "Oui" to the question, a file in a folder that does not exist, OK to the error box.
    TDialogTest::QueueAnswers({mrYes, mrOk});
    const QString Missing = Program->Path(QStringLiteral("absent/menu.txt"));
    TFileDialogTest::QueueFileNames({Missing});
    EXPECT_FALSE(W->close());
    EXPECT_TRUE(W->isVisible());
    EXPECT_TRUE(W->Menu->IsModified());
    EXPECT_GT(W->Menu->Count(), 0);
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(LogLines(QStringLiteral("[TFormMenus.SaveMenus]")).size(), 1);

    // The menu is still named by no file: the next close asks again, and "Non" lets it go.
    TDialogTest::QueueAnswers({mrNo});
    EXPECT_TRUE(W->close());
    EXPECT_EQ(TDialogTest::LastMessage(), SaveQuestion);
}

TEST_F(TMenuFilesTest, PrintingTheListRecordsTheHistoryButSavesNothing)
{
    StartProgram();
    InstallTemplates(Program->Path(QStringLiteral("html")));
    Config->SetBackupDate(Day1);
    GenerateMenu();
    TFileDialogTest::QueueFileNames({QStringLiteral("semaine")});
    Press("BtSaveList");
    const QString File = Saved(QStringLiteral("semaine"));
    const QByteArray Older = KVXReadFileBytes(File);

    // Opened again, a recipe moved to the next day, the list printed.
    Press("BtNewList");
    TFileDialogTest::QueueFileNames({File});
    TDialogTest::QueueAnswers({mrOk});
    Press("BtOpenList");
    W->Menu->ModifyRecette(2, 1, Day1 + 1, W->Menu->GetRecette(2)->MenuPers);
    W->RefreshGrid(false);
    const QString History = QStringLiteral("select count(*) from historique");
    const int Before = Database->GetTableString(History).toInt();
    PrintList();
    EXPECT_EQ(OpenedDocuments, QStringList{Program->Path(QStringLiteral("html/liste.html"))});
    EXPECT_GT(Database->GetTableString(History).toInt(), Before);
    EXPECT_TRUE(W->Menu->IsModified());
    EXPECT_EQ(Status(), File);

    // "Nouveau" and closing still ask; Escape keeps the menu, and the file its older week.
    const int Rows = W->Menu->Count();
    TDialogTest::QueueAnswers({mrCancel, mrCancel});
    Press("BtNewList");
    EXPECT_EQ(TDialogTest::LastMessage(), SaveQuestion);
    EXPECT_FALSE(W->close());
    EXPECT_EQ(TDialogTest::LastMessage(), SaveQuestion);
    EXPECT_EQ(W->Menu->Count(), Rows);
    EXPECT_EQ(KVXReadFileBytes(File), Older);
}

TEST_F(TMenuFilesTest, APageThatCannotBeWrittenIsReportedInFrenchAndTheOlderPageStays)
{
    StartProgram();
    TFullDisk Disk;
    InstallTemplates(Disk.Path(QStringLiteral("html")));
    GenerateMenu();
    const QString Page = Program->Path(QStringLiteral("html/liste.html"));
    PrintList();
    const QByteArray Older = KVXReadFileBytes(Page);
    ASSERT_FALSE(Older.isEmpty());
    W->Menu->ModifyRecette(2, 1, Day1 + 1, 6);

    Disk.Fill();
    TDialogTest::QueueAnswers({mrOk});
    PrintList();
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\r\nLe disque est plein.").arg(Page) +
                  ClosingRequest());
    EXPECT_EQ(KVXReadFileBytes(Page), Older);
    // A failed page saves nothing either: the menu was never saved, so "Nouveau" asks.
    Disk.Release();
    TDialogTest::QueueAnswers({mrCancel});
    Press("BtNewList");
    EXPECT_EQ(TDialogTest::LastMessage(), SaveQuestion);

    // A folder in the page's place is no page: named in French as well.
    ASSERT_TRUE(QFile::remove(Page));
    ASSERT_TRUE(QDir().mkpath(Page));
    TDialogTest::QueueAnswers({mrOk});
    PrintList();
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("Impossible d'enregistrer le fichier \"%1\".\r\n\"%1\" est un dossier.").arg(Page) +
                  ClosingRequest());
}

TEST_F(TMenuFilesTest, AFailedSaveAsKeepsTheMenuItsFileAndTheStatusBar)
{
    StartProgram();
    GenerateMenu();
    TFileDialogTest::QueueFileNames({QStringLiteral("semaine")});
    Press("BtSaveList");
    const QString File = Saved(QStringLiteral("semaine"));
    W->Menu->ModifyRecette(2, 1, Day1, 5);

    TFullDisk Disk;
    const QString Other = Disk.Path(QStringLiteral("autre.txt"));
    Disk.Fill();
    TFileDialogTest::QueueFileNames({Other});
    TDialogTest::QueueAnswers({mrOk});
    Press("BtSaveAs");
    Disk.Release();
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_FALSE(QFile::exists(Other));
    EXPECT_EQ(Status(), File);
    EXPECT_TRUE(W->Menu->IsModified());

    // "Enregistrer" still writes the menu's own file, without asking for a name.
    Press("BtSaveList");
    EXPECT_EQ(TFileDialogTest::ShowCount(), 2);
    EXPECT_EQ(KVXReadFileBytes(File), W->Menu->SaveToJson(QString()).toUtf8());
}

TEST_F(TMenuFilesTest, SavingOnAFullDiskKeepsTheOlderFileAndTheMenuModified)
{
    StartProgram();
    GenerateMenu();
    TFullDisk Disk;
    const QString File = Disk.Path(QStringLiteral("semaine.txt"));
    TFileDialogTest::QueueFileNames({File});
    Press("BtSaveList");
    const QByteArray Older = KVXReadFileBytes(File);
    W->Menu->ModifyRecette(2, 1, Day1, 5);

    Disk.Fill();
    TDialogTest::QueueAnswers({mrOk});
    Press("BtSaveList");
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(
        TDialogTest::LastMessage(),
        QStringLiteral("Impossible d'enregistrer le menu dans le fichier \"%1\".\r\nLe disque est plein.").arg(File) +
            ClosingRequest());
    EXPECT_EQ(KVXReadFileBytes(File), Older);
    EXPECT_EQ(Status(), File);

    // Still modified: "Nouveau" asks, and Escape keeps the menu.
    const int Rows = W->Menu->Count();
    TDialogTest::QueueAnswers({mrCancel});
    Press("BtNewList");
    EXPECT_EQ(TDialogTest::LastMessage(), SaveQuestion);
    EXPECT_EQ(W->Menu->Count(), Rows);
}

TEST_F(TMenuFilesTest, BackupCopyItsSettingsAndTheReminder)
{
    StartProgram();
    // The first close ever offers a backup; "Oui" makes one where the dialog proposes it.
    TDialogTest::QueueAnswers({mrYes, mrOk});
    TFileDialogTest::QueueFileNames({QStringLiteral("recipes.db3 2024-10-05")});
    EXPECT_TRUE(W->close());
    EXPECT_EQ(TFileDialogTest::LastDialog(), QStringLiteral("SaveDialogDb"));
    EXPECT_EQ(TFileDialogTest::LastProposed(), Config->BackupDir + QStringLiteral("/recipes.db3 2024-10-05"));
    // The dialog adds no extension to a name with a dot in it; the copy gets ".db3" all the
    // same, so that the next backup dialog lists it.
    const QString Copy = QDir(Config->BackupDir).filePath(QStringLiteral("recipes.db3 2024-10-05.db3"));
    EXPECT_EQ(Config->GetBackupLastFile(), Copy);
    EXPECT_EQ(QDir(Config->BackupDir).entryList({QStringLiteral("*.db3")}, QDir::Files),
              QStringList{QFileInfo(Copy).fileName()});
    EXPECT_EQ(Config->GetBackupDate(), Day1);
    EXPECT_EQ(TDialogTest::LastKind(), dtInfo);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("Vous avez le bon le réflexe !\r\nPensez à sauvegarder régulièrement votre base de "
                             "données.\r\nPour restaurer la base, il vous suffit de remplacer le fichier "
                             "\"recipes.db3\" par votre copie de sauvegarde."));
    {
        TQlDatabase Backup(Copy);
        EXPECT_EQ(Backup.GetTableString(QStringLiteral("pragma integrity_check")), QStringLiteral("ok"));
        EXPECT_EQ(Backup.GetTableString(QStringLiteral("select count(*) from recette")),
                  Database->GetTableString(QStringLiteral("select count(*) from recette")));
    }

    // The same name again: the dialog knew nothing of the copy with ".db3", so the program
    // asks before replacing it; "Non" writes nothing, "Oui" replaces it.
    W->show();
    {
        QFile Earlier(Copy);
        ASSERT_TRUE(Earlier.open(QIODevice::WriteOnly | QIODevice::Truncate));
        Earlier.write("copie précédente");
    }
    for (const int Answer : {mrNo, mrYes}) {
        TDialogTest::QueueAnswers({Answer});
        if (Answer == mrYes)
            TDialogTest::QueueAnswers({mrOk});
        TFileDialogTest::QueueFileNames({QStringLiteral("recipes.db3 2024-10-05")});
        Press("BtBaseBackup");
        EXPECT_EQ(KVXReadFileBytes(Copy) == "copie précédente", Answer == mrNo);
        if (Answer == mrNo) {
            EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Le fichier \"recipes.db3 2024-10-05.db3\" existe "
                                                                 "déjà.\r\nVoulez-vous le remplacer ?"));
        }
    }
    EXPECT_EQ(TDialogTest::LastKind(), dtInfo);

    // No reminder for 31 days after a backup, the 31st included; the 32nd brings it back.
    for (const TDateTime Last : {Day1, Day1 - 31}) {
        W->show();
        Config->SetBackupDate(Last);
        // An answer stands by, so that a question asked wrongly fails the test instead of
        // waiting for a user.
        TDialogTest::QueueAnswers({mrNo});
        const int Shown = TDialogTest::ShowCount();
        EXPECT_TRUE(W->close());
        EXPECT_EQ(TDialogTest::ShowCount(), Shown);
        TDialogTest::Reset();
    }
    W->show();
    Config->SetBackupDate(Day1 - 32);
    TDialogTest::QueueAnswers({mrNo});
    EXPECT_TRUE(W->close());
    EXPECT_EQ(TDialogTest::LastKind(), dtConfirm);
    EXPECT_TRUE(TDialogTest::LastMessage().startsWith(QStringLiteral("La dernière sauvegarde de la base")));

    // "Sauvegarder" into a folder that does not exist: the alert, and the settings stay.
    W->show();
    Config->SetBackupDate(Day1);
    TDialogTest::QueueAnswers({mrOk});
    const QString Absent = Program->Path(QStringLiteral("absent/copie.db3"));
    TFileDialogTest::QueueFileNames({Absent});
    Press("BtBaseBackup");
    EXPECT_EQ(TDialogTest::LastKind(), dtAlert);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("La sauvegarde a échoué, essayez de choisir un autre nom de fichier.\r\n"
                             "Le dossier \"%1\" n'existe pas.")
                  .arg(Program->Path(QStringLiteral("absent"))));
    EXPECT_EQ(Config->GetBackupLastFile(), Copy);
    // The log keeps the file and the reason.
    EXPECT_EQ(LogLines(QStringLiteral("Backup to \"%1\" failed: [TDb3File.Backup] File not found").arg(Absent)).size(),
              1);

    // ".db3" typed in capitals is the extension already: the name stays as the user typed it.
    const QString Capitals = QDir(Config->BackupDir).filePath(QStringLiteral("COPIE.DB3"));
    TDialogTest::QueueAnswers({mrOk});
    TFileDialogTest::QueueFileNames({Capitals});
    Press("BtBaseBackup");
    EXPECT_EQ(Config->GetBackupLastFile(), Capitals);
    EXPECT_EQ(QDir(Config->BackupDir).entryList({QStringLiteral("COPIE*")}, QDir::Files),
              QStringList{QStringLiteral("COPIE.DB3")});

    // A backup whose date cannot be recorded (the settings file is read-only) says so in
    // French, naming the file.
    {
        QFile Ini(Config->IniFileName);
        const QFile::Permissions Before = Ini.permissions();
        ASSERT_TRUE(Ini.setPermissions(Before & ~(QFile::WriteOwner | QFile::WriteUser)));
        TDialogTest::QueueAnswers({mrOk});
        TFileDialogTest::QueueFileNames({QDir(Config->BackupDir).filePath(QStringLiteral("protégée.db3"))});
        Press("BtBaseBackup");
        Ini.setPermissions(Before);
        EXPECT_EQ(TDialogTest::LastKind(), dtError);
        EXPECT_TRUE(TDialogTest::LastMessage().startsWith(QStringLiteral("Impossible d'enregistrer le fichier \"") +
                                                          Config->IniFileName + QStringLiteral("\".")))
            << TDialogTest::LastMessage().toStdString();
    }

    // The next run proposes the last backup's folder.
    const QString Folder = Program->Path(QStringLiteral("copies"));
    ASSERT_TRUE(QDir().mkpath(Folder));
    Config->SetBackupLastFile(Folder + QStringLiteral("/ancienne.db3"));
    W->PrepareBackupDialog();
    TFileDialogTest::QueueFileNames({QString()});
    Press("BtBaseBackup");
    EXPECT_EQ(TFileDialogTest::LastProposed(), Folder + QStringLiteral("/recipes.db3 2024-10-05"));
}

TEST_F(TMenuFilesTest, ABackupThatFailsShowsItsAlertWhenTheLogCannotTakeALineEither)
{
    StartProgram();
    TFullDisk Disk;
    // The log fills whole pages, so that even a short line needs room the disk no longer has.
    const QString Log = Disk.Path(QStringLiteral("fenolda.log"));
    const QByteArray Older(4096, 'l');
    {
        QFile File(Log);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        ASSERT_EQ(File.write(Older), Older.size());
    }
    const QString SavedLog = std::exchange(Config->LogFileName, Log);
    const QString Copy = Disk.Path(QStringLiteral("copie.db3"));
    Disk.Fill();
    TDialogTest::QueueAnswers({mrOk});
    TFileDialogTest::QueueFileNames({Copy});
    Press("BtBaseBackup");
    Disk.Release();
    Config->LogFileName = SavedLog;

    EXPECT_EQ(TDialogTest::ShowCount(), 1);
    EXPECT_EQ(TDialogTest::LastKind(), dtAlert);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("La sauvegarde a échoué, essayez de choisir un autre nom de fichier.\r\n"
                             "Le disque est plein."));
    EXPECT_EQ(KVXReadFileBytes(Log), Older);
    EXPECT_FALSE(QFile::exists(Copy));
    EXPECT_TRUE(Config->GetBackupLastFile().isEmpty());
}

TEST_F(TMenuFilesTest, TheBackupOfADamagedDatabaseSaysTheDatabaseIsAtFault)
{
    // The start reports the damaged file; "Sauvegarder" still copies it, and its alert says
    // that the database cannot be read, not that another name would do.
    const QString Db = Program->Path(QStringLiteral("recipes.db3"));
    KVXWriteText(Db, QString(8192, QLatin1Char('x')), true);
    TDialogTest::QueueAnswers({mrOk});
    StartProgram();
    ASSERT_EQ(Database, nullptr);
    TDialogTest::QueueAnswers({mrOk});
    TFileDialogTest::QueueFileNames({QStringLiteral("copie.db3")});
    Press("BtBaseBackup");
    EXPECT_EQ(TDialogTest::LastKind(), dtAlert);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("La sauvegarde a échoué, essayez de choisir un autre nom de fichier.\r\nLa base de "
                             "données \"%1\" est endommagée ou illisible.")
                  .arg(Db));
    EXPECT_FALSE(QFile::exists(QDir(Config->BackupDir).filePath(QStringLiteral("copie.db3"))));
}

TEST_F(TMenuFilesTest, NeitherAMenuNorABackupReplacesTheProgramsOwnFiles)
{
    StartProgram();
    GenerateMenu();
    const QString Db = Program->Path(QStringLiteral("recipes.db3"));
    const auto Inode = [&Db] {
        struct stat St;
        return ::stat(QFile::encodeName(Db).constData(), &St) == 0 ? St.st_ino : 0;
    };
    const ino_t InUse = Inode();
    const QByteArray Bytes = KVXReadFileBytes(Db);
    // The same file through a link to the program folder, and through "..".
    QTemporaryDir Elsewhere;
    const QString Linked = Elsewhere.filePath(QStringLiteral("programme"));
    ASSERT_TRUE(QFile::link(Program->Dir.path(), Linked));
    // And through ".." after a folder of menus that is a link to the program's "save".
    const QString Menus = Elsewhere.filePath(QStringLiteral("menus"));
    ASSERT_TRUE(QFile::link(Config->SaveDir, Menus));
    for (const QString &Name :
         {Db, Linked + QStringLiteral("/recipes.db3"), Program->Path(QStringLiteral("save/../recipes.db3")),
          Menus + QStringLiteral("/../recipes.db3")}) {
        // "Enregistrer sous": named in French; the menu stays modified and keeps no file name.
        TFileDialogTest::QueueFileNames({Name});
        TDialogTest::QueueAnswers({mrOk});
        Press("BtSaveAs");
        EXPECT_EQ(TDialogTest::LastKind(), dtError);
        EXPECT_EQ(
            TDialogTest::LastMessage(),
            QStringLiteral("Le fichier \"%1\" est utilisé par le programme : choisissez un autre nom.").arg(Name) +
                ClosingRequest());
        EXPECT_TRUE(W->Menu->IsModified());
        EXPECT_EQ(Status(), QStringLiteral("*"));

        // "Sauvegarder": the alert, the settings unchanged, the file and the reason in the log.
        TFileDialogTest::QueueFileNames({Name});
        TDialogTest::QueueAnswers({mrOk});
        Press("BtBaseBackup");
        EXPECT_EQ(TDialogTest::LastKind(), dtAlert);
        EXPECT_EQ(TDialogTest::LastMessage(),
                  QStringLiteral("La sauvegarde a échoué, essayez de choisir un autre nom de fichier.\r\n"
                                 "Le fichier \"%1\" est utilisé par le programme : choisissez un autre nom.")
                      .arg(Name));
        EXPECT_TRUE(Config->GetBackupLastFile().isEmpty());
        EXPECT_EQ(Config->GetBackupDate(), 0);
        EXPECT_EQ(LogLines(QStringLiteral("TFormMenus.BackupDatabase"))
                      .filter(QStringLiteral("\"%1\" is one of the program's own files").arg(Name))
                      .size(),
                  1);

        EXPECT_EQ(Inode(), InUse);
        EXPECT_EQ(KVXReadFileBytes(Db), Bytes);
    }
    // The program still writes into the file it opened.
    Database->ExecSQL(QStringLiteral("insert into rayon (name) values ('Surgelés bis')"));
    EXPECT_EQ(Inode(), InUse);
    EXPECT_NE(KVXReadFileBytes(Db), Bytes);
    TQlDatabase Reader(Db);
    EXPECT_EQ(Reader.GetTableString(QStringLiteral("select count(*) from rayon where name = 'Surgelés bis'")),
              QStringLiteral("1"));
}

// ---- synchronisation on -------------------------------------------------------------------

namespace {

class TServerMenusTest : public TMenuFilesTest
{
protected:
    void SetUp() override
    {
        TMenuFilesTest::SetUp();
        Sync = std::make_unique<TSyncOn>(Server);
    }
    void TearDown() override
    {
        TMenuFilesTest::TearDown();
        Sync.reset();
    }

    // The requests to the menus and data, "METHOD /path", without the token's.
    std::vector<std::string> Calls() const
    {
        std::vector<std::string> Lines;
        for (const TRecordedRequest &Request : Server.Requests()) {
            if (Request.Line.find("/common/token") == std::string::npos)
                Lines.push_back(Request.Line);
        }
        return Lines;
    }

    // Answers the name prompt with Name, after checking its caption and proposed name.
    std::function<void(QWidget *)> Prompt(const QString &Caption, const QString &Proposed, const QString &Name)
    {
        return [=](QWidget *Modal) {
            auto *Form = qobject_cast<TFormMenuName *>(Modal);
            ASSERT_NE(Form, nullptr);
            EXPECT_EQ(Form->windowTitle(), Caption);
            EXPECT_EQ(Child<QLineEdit>(Form, "EdName")->text(), Proposed);
            Child<QLineEdit>(Form, "EdName")->setText(Name);
            QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
        };
    }

    TTestServer Server;
    std::unique_ptr<TSyncOn> Sync;
};

const QString SaveCaption = QStringLiteral("Enregistrer un menu");
const QString Proposed = QStringLiteral("samedi 5 octobre 2024");

} // namespace

TEST_F(TServerMenusTest, SavingUploadsFirstThenCreatesOrUpdatesTheServerMenu)
{
    StartProgram();
    GenerateMenu();

    // A cancelled prompt uploads nothing and stores nothing.
    AnswerModals({[](QWidget *Modal) { Modal->close(); }});
    Press("BtSaveList");
    EXPECT_EQ(ModalsAnswered(), 1);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(W->MenuCode, 0);

    AnswerModals({Prompt(SaveCaption, Proposed, QStringLiteral("Semaine 41"))});
    Press("BtSaveList");
    EXPECT_EQ(Calls(), (std::vector<std::string>{"POST /fenolda/data", "POST /fenolda/menu"}));
    EXPECT_EQ(Server.Requests().back().Body, W->Menu->SaveToJson(QStringLiteral("Semaine 41")).toStdString());
    EXPECT_EQ(W->MenuCode, 17);
    EXPECT_EQ(Status(), QStringLiteral("Semaine 41"));

    // Saved again: upload, then the same server menu replaced, without a prompt.
    Server.ClearRequests();
    W->Menu->ModifyRecette(2, 1, Day1, 5);
    Press("BtSaveList");
    EXPECT_EQ(Calls(), (std::vector<std::string>{"POST /fenolda/data", "PUT /fenolda/menu/17"}));
    EXPECT_FALSE(W->Menu->IsModified());

    // "Enregistrer sous" creates a second server menu and makes it current.
    Server.ClearRequests();
    Server.Answer("POST", "/fenolda/menu", {200, R"({"code":18})"});
    AnswerModals({Prompt(SaveCaption, Proposed, QStringLiteral("Semaine 41 bis"))});
    Press("BtSaveAs");
    EXPECT_EQ(Calls(), (std::vector<std::string>{"POST /fenolda/data", "POST /fenolda/menu"}));
    EXPECT_EQ(W->MenuCode, 18);
    EXPECT_EQ(Status(), QStringLiteral("Semaine 41 bis"));

    // A name the server refuses: both user texts, and the current menu stays.
    Server.Answer("POST", "/fenolda/menu", {409, R"({"error":"doublon"})"});
    TDialogTest::QueueAnswers({mrOk});
    AnswerModals({Prompt(SaveCaption, Proposed, QStringLiteral("Semaine 41"))});
    Press("BtSaveAs");
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Assurez-vous que ce nom ne soit pas déjà utilisé et "
                                                         "réessayez.\r\nErreur de création du menu.") +
                                              ClosingRequest());
    EXPECT_EQ(W->MenuCode, 18);
    EXPECT_EQ(Status(), QStringLiteral("Semaine 41 bis"));
}

TEST_F(TServerMenusTest, OpeningRenamingAndDeletingServerMenusFromTheList)
{
    StartProgram();
    const QString Codes = Database->GetTableString(
        QStringLiteral("select group_concat(code) from (select code from recette where type_ = 1 limit 2)"));
    const QStringList Code = Codes.split(QLatin1Char(','));
    ASSERT_EQ(Code.size(), 2);
    const std::string List = R"([{"code":5,"name":"Menu de Noël","modified":"2024-09-01 10:00:00","recettes":[]},)"
                             R"({"code":7,"name":"Semaine 12","modified":"2024-09-30 18:00:00","recettes":[)"
                             R"({"jour":0,"repas":1,"pers":4,"code":)" +
                             Code[0].toStdString() + R"(,"name":"a"},{"jour":1,"repas":2,"pers":2,"code":)" +
                             Code[1].toStdString() + R"(,"name":"b"}]}])";
    Server.Answer("GET", "/fenolda/menu", {200, List});
    Find<QDateEdit>("EdStartDate")->setDate(QDate(2024, 10, 7));

    // Open "Semaine 12": the information box, then the menu laid out from the start date.
    TDialogTest::QueueAnswers({mrOk});
    AnswerModals({[](QWidget *Modal) {
        auto *List = qobject_cast<TFormMenuList *>(Modal);
        ASSERT_NE(List, nullptr);
        ASSERT_EQ(List->MenuRowCount(), 2);
        List->SelectRow(2);
        QTest::mouseClick(Child<TSevenButton>(List, "BtOpen"), Qt::LeftButton);
    }});
    Press("BtOpenList");
    EXPECT_EQ(TDialogTest::LastKind(), dtInfo);
    EXPECT_TRUE(
        TDialogTest::LastMessage().startsWith(QStringLiteral("Le menu sera chargé à partir du lundi 7 octobre.")));
    EXPECT_EQ(W->MenuCode, 7);
    EXPECT_EQ(Status(), QStringLiteral("Semaine 12"));
    EXPECT_EQ(W->Menu->GetFirstDate(), EncodeDate(2024, 10, 7));
    EXPECT_EQ(MenuShape(*W->Menu, true), QStringLiteral("D7 M1 r1 D8 M2 r1"));

    // Rename it in the list: the status bar follows; the list is then closed.
    AnswerModals({[this](QWidget *Modal) {
        auto *List = qobject_cast<TFormMenuList *>(Modal);
        ASSERT_NE(List, nullptr);
        List->SelectRow(2);
        ::AnswerModals({Prompt(QStringLiteral("Renommer un menu"), QStringLiteral("Semaine 12"),
                               QStringLiteral("Semaine douze"))});
        QTest::mouseClick(Child<TSevenButton>(List, "BtRename"), Qt::LeftButton);
        EXPECT_EQ(Child<QTableWidget>(List, "GridItems")->item(1, 0)->text(), QStringLiteral("Semaine douze"));
    }});
    Press("BtOpenList");
    EXPECT_EQ(Server.Requests().back().Line, "PATCH /fenolda/menu/7");
    EXPECT_EQ(Status(), QStringLiteral("Semaine douze"));
    EXPECT_EQ(W->MenuCode, 7);

    // Delete the other one after the confirmation.
    TDialogTest::QueueAnswers({mrYes});
    AnswerModals({[](QWidget *Modal) {
        auto *List = qobject_cast<TFormMenuList *>(Modal);
        ASSERT_NE(List, nullptr);
        List->SelectRow(1);
        QTest::mouseClick(Child<TSevenButton>(List, "BtDelete"), Qt::LeftButton);
        EXPECT_EQ(List->MenuRowCount(), 1);
    }});
    Press("BtOpenList");
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("Etes-vous sûr de vouloir supprimer ce menu ?\r\n(Menu de Noël)"));
    EXPECT_EQ(Server.Requests().back().Line, "DELETE /fenolda/menu/5");
    // The list was closed without a choice: the open menu stays.
    EXPECT_EQ(W->MenuCode, 7);

    // "Nouveau" on the unchanged server menu asks nothing and forgets the code.
    Press("BtNewList");
    EXPECT_EQ(W->MenuCode, 0);
    EXPECT_EQ(Status(), QStringLiteral("*"));
}

TEST_F(TServerMenusTest, AServerMenuOfAnotherFormIsRefusedBeforeTheCurrentMenuIsTouched)
{
    StartProgram();
    const QStringList Code =
        Database->GetTableString(QStringLiteral("select group_concat(code) from (select code from recette limit 2)"))
            .split(QLatin1Char(','));
    ASSERT_EQ(Code.size(), 2);
    const auto Recettes = [&](const QString &Jour, const QString &Recette) {
        return QStringLiteral(R"("recettes":[{"jour":%1,"repas":1,"pers":4,"code":%2}])").arg(Jour, Recette);
    };
    const QString List =
        QStringLiteral("[{\"code\":7,\"name\":\"Semaine 12\",%1},{\"code\":\"8\",\"name\":\"Huit\",%2},"
                       "{\"code\":9,%2},{\"code\":10,\"name\":\"Dix\",%3}]")
            .arg(Recettes(QStringLiteral("0"), Code[0]), Recettes(QStringLiteral("1"), Code[1]),
                 Recettes(QStringLiteral("\"1\""), Code[1]));
    Server.Answer("GET", "/fenolda/menu", {200, List.toStdString()});
    const auto Open = [this](int Row) {
        AnswerModals({[Row](QWidget *Modal) {
            auto *Menus = qobject_cast<TFormMenuList *>(Modal);
            ASSERT_NE(Menus, nullptr);
            Menus->SelectRow(Row);
            QTest::mouseClick(Child<TSevenButton>(Menus, "BtOpen"), Qt::LeftButton);
        }});
        Press("BtOpenList");
    };
    TDialogTest::QueueAnswers({mrOk});
    Open(1);
    ASSERT_EQ(W->MenuCode, 7);
    const QString Shape = MenuShape(*W->Menu);

    // A code in text, no name, a day in text: refused in French; the menu, its code and the
    // status bar stay, and the menu still counts as saved.
    for (const int Row : {2, 3, 4}) {
        // A second answer stands ready should a load information come first: the test then
        // fails instead of waiting on the error box.
        TDialogTest::Reset();
        TDialogTest::QueueAnswers({mrOk, mrOk});
        Open(Row);
        EXPECT_EQ(TDialogTest::ShowCount(), 1) << "only the error box for a refused menu";
        EXPECT_EQ(TDialogTest::LastKind(), dtError) << Row;
        EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Le menu n'a pas un format valide.") + ClosingRequest())
            << Row;
        EXPECT_EQ(W->MenuCode, 7);
        EXPECT_EQ(Status(), QStringLiteral("Semaine 12"));
        EXPECT_EQ(MenuShape(*W->Menu), Shape);
        EXPECT_FALSE(W->Menu->IsModified());
    }
    TDialogTest::Reset();
}

TEST_F(TMenuFilesTest, AMenuFileThatCannotBeReadIsNamedInTheErrorBox)
{
    StartProgram();
    for (const QByteArray &Bytes : {QByteArray(), QByteArray::fromHex("00ff89504e470d0a1a0a00")}) {
        const QString File = Saved(QStringLiteral("illisible"));
        {
            QFile F(File);
            ASSERT_TRUE(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
            F.write(Bytes);
        }
        TFileDialogTest::QueueFileNames({File});
        TDialogTest::QueueAnswers({mrOk, mrOk});
        Press("BtOpenList");
        EXPECT_EQ(TDialogTest::LastKind(), dtError);
        EXPECT_EQ(TDialogTest::LastMessage(), QLatin1Char('"') + File +
                                                  QStringLiteral("\"\r\nLe menu n'a pas un format valide.") +
                                                  ClosingRequest());
        EXPECT_EQ(Status(), QStringLiteral("*"));
    }

    // A FIFO or a device is refused at once, without a byte read: the window never waits.
    const TFifo Fifo(Saved(QStringLiteral("tube")));
    ASSERT_TRUE(Fifo.Made());
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Saved(QStringLiteral("zero"))));
    for (const QString &File : {Saved(QStringLiteral("tube")), Saved(QStringLiteral("zero"))}) {
        TFileDialogTest::QueueFileNames({File});
        TDialogTest::QueueAnswers({mrOk, mrOk});
        Press("BtOpenList");
        EXPECT_EQ(TDialogTest::LastMessage(), QLatin1Char('"') + File +
                                                  QStringLiteral("\"\r\nLe menu n'a pas un format valide.") +
                                                  ClosingRequest());
    }
    EXPECT_FALSE(Fifo.Released()) << "the window waited on the FIFO";
}

TEST_F(TMenuFilesTest, AMenuThatFailsToLoadIsNeverSavedOverThePreviousFile)
{
    StartProgram();
    GenerateMenu();
    TFileDialogTest::QueueFileNames({QStringLiteral("semaine")});
    Press("BtSaveList");
    const QString First = Saved(QStringLiteral("semaine"));
    const QByteArray Kept = KVXReadFileBytes(First);

    // A menu whose second recipe is no longer in the database loads halfway.
    const QString Broken = Saved(QStringLiteral("ancien"));
    KVXWriteText(Broken,
                 QStringLiteral("{\r\n  \"recettes\":[\r\n    {\"jour\":0,\"repas\":1,\"pers\":2,\"code\":%1},\r\n"
                                "    {\"jour\":1,\"repas\":1,\"pers\":2,\"code\":999999}\r\n  ]\r\n}")
                     .arg(W->Menu->GetCodeList().split(QLatin1Char(',')).first()),
                 true);
    TFileDialogTest::QueueFileNames({Broken});
    TDialogTest::QueueAnswers({mrOk, mrOk});
    Press("BtOpenList");
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_GT(W->Menu->Count(), 0);
    EXPECT_EQ(Status(), QStringLiteral("*"));

    // "Enregistrer" asks for a name instead of writing over the menu that was current.
    TFileDialogTest::QueueFileNames({QStringLiteral("reprise")});
    Press("BtSaveList");
    EXPECT_EQ(TFileDialogTest::LastDialog(), QStringLiteral("SaveDialog"));
    EXPECT_EQ(KVXReadFileBytes(First), Kept);
    EXPECT_EQ(Status(), Saved(QStringLiteral("reprise")));
}
