// The main window with the program's database on a disk that fills up.
#include "MenusTestSupport.h"

#include "FullDisk.h"
#include "KVXFiles.h"
#include "RecipeBase.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitCourses.h"
#include "UnitDatabase.h"
#include "UnitDialog.h"
#include "UnitRecetteList.h"

#include <QFile>
#include <QLineEdit>

TEST_F(TMenusTest, AFullDiskUnderTheDatabaseIsToldInFrenchWhenTheListWritesThePersons)
{
    // The working database is a link to a file on the disk: SQLite keeps its journal beside
    // the file itself, so every write of a transaction needs room there.
    TFullDisk Disk;
    const QString OnDisk = Disk.Path(QStringLiteral("recipes.db3"));
    ASSERT_TRUE(MakeRecipeBase(OnDisk));
    ASSERT_TRUE(QFile::link(OnDisk, Program->Path(QStringLiteral("recipes.db3"))));
    StartProgram();
    Find<QLineEdit>("EdPers")->setText(QStringLiteral("5"));
    Generate(2, true, false, false, true, false);
    ASSERT_GT(W->Menu->Count(), 0);
    const QString Written = QStringLiteral("select count(*) from recette where menupers = 5");
    ASSERT_EQ(Database->GetTableString(Written), QStringLiteral("0"));

    Disk.Fill();
    TDialogTest::QueueAnswers({mrOk});
    QTest::mouseClick(Find<TSevenButton>("BtCourses"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::ShowCount(), 1);
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("La base de données n'a pas pu être modifiée : le disque est plein.") + ClosingRequest());
    // The log, beside the program, still takes the engine's own words.
    EXPECT_EQ(LogLines(QStringLiteral("database or disk is full")).size(), 1);
    EXPECT_EQ(Database->GetTableString(Written), QStringLiteral("0")) << "none of the persons is written";
    EXPECT_FALSE(FormCourses->isVisible());
    // A save still writes its file; the history that the disk refuses is dropped.
    const QString History = QStringLiteral("select count(*) from historique");
    const QString Before = Database->GetTableString(History);
    const QString File = Program->Path(QStringLiteral("semaine.txt"));
    W->Menu->SaveToFile(File);
    EXPECT_EQ(KVXReadFile(File), W->Menu->SavedJson);
    EXPECT_EQ(Database->GetTableString(History), Before);

    // With room again the same button writes them and opens the list.
    Disk.Release();
    QTest::mouseClick(Find<TSevenButton>("BtCourses"), Qt::LeftButton);
    EXPECT_EQ(TDialogTest::ShowCount(), 1);
    EXPECT_NE(Database->GetTableString(Written), QStringLiteral("0"));
    EXPECT_TRUE(FormCourses->isVisible());
}
