#include "ChildControl.h"
#include "MenusTestSupport.h"
#include "SyncTestSupport.h"

#include "FullDisk.h"
#include "KVXFiles.h"
#include "SevenButton.h"
#include "UnitConst.h"
#include "UnitDialog.h"
#include "UnitOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace {

class TOptionsTest : public TMenusTest
{
protected:
    void SetUp() override
    {
        TMenusTest::SetUp();
        Sync = std::make_unique<TSyncOn>(Server);
        StartProgram();
    }
    void TearDown() override
    {
        TMenusTest::TearDown();
        Sync.reset();
    }

    // Opens the options from the main window's button and runs Action on them.
    void WithOptions(std::function<void(TFormOptions *)> Action)
    {
        AnswerModals({[Action](QWidget *Modal) {
            auto *Form = qobject_cast<TFormOptions *>(Modal);
            ASSERT_NE(Form, nullptr);
            Action(Form);
        }});
        QTest::mouseClick(Find<TSevenButton>("BtOptions"), Qt::LeftButton);
        EXPECT_EQ(ModalsAnswered(), 1);
    }

    TTestServer Server;
    std::unique_ptr<TSyncOn> Sync;
};

} // namespace

TEST_F(TOptionsTest, SettingsAreLoadedAtEachShowingAndSavedOnOkOnly)
{
    Config->SetHistoEnabled(true);
    Config->SetHistoDays(45);
    Config->SetSyncEnabled(false);
    WithOptions([](TFormOptions *Form) {
        EXPECT_TRUE(Child<QCheckBox>(Form, "CbHisto")->isChecked());
        EXPECT_EQ(Child<QLineEdit>(Form, "EdDays")->text(), QStringLiteral("45"));
        EXPECT_FALSE(Child<QCheckBox>(Form, "CbSync")->isChecked());
        EXPECT_EQ(Child<QLineEdit>(Form, "EdEmail")->text(), QString::fromStdString(TestEmail));
        EXPECT_EQ(Child<QLineEdit>(Form, "EdApiKey")->text(), QString::fromStdString(TestApiKey));
        // Every field changed, then "Annuler": nothing is stored.
        Child<QCheckBox>(Form, "CbHisto")->setChecked(false);
        Child<QLineEdit>(Form, "EdDays")->setText(QStringLiteral("100"));
        Child<QCheckBox>(Form, "CbSync")->setChecked(true);
        Child<QLineEdit>(Form, "EdEmail")->setText(QStringLiteral("autre@exemple.fr"));
        Child<QLineEdit>(Form, "EdApiKey")->setText(QStringLiteral("autre"));
        QTest::mouseClick(Child<TSevenButton>(Form, "BtCancel"), Qt::LeftButton);
    });
    const QByteArray Settings = KVXReadFileBytes(Config->IniFileName);
    WithOptions([](TFormOptions *Form) {
        EXPECT_EQ(Child<QLineEdit>(Form, "EdDays")->text(), QStringLiteral("45"));
        QTest::keyClick(Form, Qt::Key_Escape);
    });
    EXPECT_EQ(KVXReadFileBytes(Config->IniFileName), Settings);

    // Saved on OK, the address with its blanks; the days brought within 7 to 365.
    for (const auto &[Typed, Stored] :
         {std::pair("abc", 7), std::pair("3", 7), std::pair("30", 30), std::pair("500", 365)}) {
        WithOptions([Typed = Typed](TFormOptions *Form) {
            Child<QCheckBox>(Form, "CbHisto")->setChecked(false);
            Child<QCheckBox>(Form, "CbSync")->setChecked(true);
            Child<QLineEdit>(Form, "EdDays")->setText(QString::fromLatin1(Typed));
            Child<QLineEdit>(Form, "EdEmail")->setText(QStringLiteral(" marie@exemple.fr "));
            QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
        });
        EXPECT_EQ(Config->GetHistoDays(), Stored) << Typed;
    }
    EXPECT_FALSE(Config->GetHistoEnabled());
    EXPECT_TRUE(Config->GetSyncEnabled());
    // Written as typed; the profile functions' reading drops the blanks again.
    EXPECT_TRUE(KVXReadFileBytes(Config->IniFileName).contains("Email= marie@exemple.fr \r\n"));
    EXPECT_EQ(Config->GetSyncEmail(), QStringLiteral("marie@exemple.fr"));
    WithOptions([](TFormOptions *Form) {
        EXPECT_EQ(Child<QLineEdit>(Form, "EdDays")->text(), QStringLiteral("365"));
        QTest::keyClick(Form, Qt::Key_Escape);
    });

    // A new API key is stored on OK, as it was typed.
    Config->SetSyncEnabled(false);
    WithOptions([](TFormOptions *Form) {
        Child<QLineEdit>(Form, "EdApiKey")->setText(QStringLiteral(" nouvelle-clé "));
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
    });
    EXPECT_TRUE(KVXReadFileBytes(Config->IniFileName).contains("ApiKey= nouvelle-clé \r\n"));
    EXPECT_EQ(Config->GetSyncApiKey(), QStringLiteral("nouvelle-clé"));
    EXPECT_FALSE(Config->GetSyncEnabled());
}

TEST_F(TOptionsTest, OkOnAFullDiskShowsTheErrorAndKeepsTheSettingsFile)
{
    // The same program with its settings on a disk of their own.
    TFullDisk Disk;
    TConfig OnDisk(Disk.Path(QStringLiteral("fenolda")));
    ASSERT_TRUE(QFile::copy(Config->IniFileName, OnDisk.IniFileName));
    const QByteArray Before = KVXReadFileBytes(OnDisk.IniFileName);
    const QScopedValueRollback<TConfig *> Swap(Config, &OnDisk);

    Disk.Fill();
    TDialogTest::QueueAnswers({mrOk});
    WithOptions([](TFormOptions *Form) {
        Child<QLineEdit>(Form, "EdEmail")->setText(QStringLiteral("autre@exemple.fr"));
        QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
        EXPECT_TRUE(Form->isVisible()) << "the options stay open";
        QTest::keyClick(Form, Qt::Key_Escape);
    });
    EXPECT_EQ(TDialogTest::LastKind(), dtError);
    EXPECT_EQ(TDialogTest::LastMessage(),
              QStringLiteral("Impossible d'enregistrer les options dans le fichier \"%1\".\r\nLe disque est plein.")
                      .arg(OnDisk.IniFileName) +
                  ClosingRequest());
    EXPECT_EQ(KVXReadFileBytes(OnDisk.IniFileName), Before);
}

TEST_F(TOptionsTest, ContactAddressOpensAMailAndGoesToTheClipboard)
{
    WithOptions([](TFormOptions *Form) {
        QTest::mouseClick(Child<QLabel>(Form, "LbContact"), Qt::LeftButton);
        QTest::mouseClick(Child<QLabel>(Form, "Image1"), Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->text(), ContactAddress());
        QTest::keyClick(Form, Qt::Key_Escape);
    });
    EXPECT_EQ(OpenedDocuments, QStringList{QStringLiteral("mailto:") + ContactAddress()});
}

TEST_F(TOptionsTest, EraseSendsTheRequestWhateverTheSwitchAndReportsTheOutcome)
{
    Config->SetSyncEnabled(false);
    Config->SetLastSync(Day1);
    TDialogTest::QueueAnswers({mrOk});
    WithOptions([this](TFormOptions *Form) {
        QTest::mouseClick(Child<TSevenButton>(Form, "BtEraseData"), Qt::LeftButton);
        EXPECT_EQ(Server.Requests().back().Line, "DELETE /fenolda/data");
        EXPECT_EQ(TDialogTest::LastKind(), dtInfo);
        EXPECT_EQ(TDialogTest::LastMessage(), QStringLiteral("Vos données ont bien été effacées du serveur."));
        EXPECT_EQ(Config->GetLastSync(), 0);

        // A failed erase: the error box only, and the window stays open.
        Server.Answer("DELETE", "/fenolda/data", {500, "panne"});
        TDialogTest::QueueAnswers({mrOk});
        QTest::mouseClick(Child<TSevenButton>(Form, "BtEraseData"), Qt::LeftButton);
        EXPECT_EQ(TDialogTest::LastKind(), dtError);
        EXPECT_TRUE(TDialogTest::LastMessage().startsWith(QStringLiteral("Erreur d'effacement des données.")));
        EXPECT_TRUE(Form->isVisible());
        QTest::keyClick(Form, Qt::Key_Escape);
    });
}

TEST_F(TOptionsTest, WithoutAServerTheSwitchIsOffAndCannotBeTicked)
{
    {
        // The stored "1" counts for nothing without a server, and OK leaves it as it was.
        const TWebApiAddress None{QString()};
        WithOptions([](TFormOptions *Form) {
            auto *Box = Child<QCheckBox>(Form, "CbSync");
            EXPECT_FALSE(Box->isChecked());
            EXPECT_FALSE(Box->isEnabled());
            QTest::mouseClick(Box, Qt::LeftButton, {}, QPoint(8, Box->height() / 2));
            EXPECT_FALSE(Box->isChecked());
            EXPECT_TRUE(Child<QLabel>(Form, "LbNoServer")->isVisible());
            // Nothing lies on a server to erase.
            EXPECT_FALSE(Child<TSevenButton>(Form, "BtEraseData")->isEnabled());
            EXPECT_EQ(Child<QLabel>(Form, "LbNoServer")->text(),
                      QStringLiteral("Aucun serveur de synchronisation n'est configuré."));
            QTest::mouseClick(Child<TSevenButton>(Form, "BtOk"), Qt::LeftButton);
        });
        EXPECT_FALSE(Config->GetSyncEnabled());
    }
    // With one, the switch shows the stored choice again and the hint is gone.
    EXPECT_TRUE(Config->GetSyncEnabled());
    WithOptions([](TFormOptions *Form) {
        EXPECT_TRUE(Child<QCheckBox>(Form, "CbSync")->isChecked());
        EXPECT_TRUE(Child<QCheckBox>(Form, "CbSync")->isEnabled());
        EXPECT_FALSE(Child<QLabel>(Form, "LbNoServer")->isVisible());
        EXPECT_TRUE(Child<TSevenButton>(Form, "BtEraseData")->isEnabled());
        QTest::keyClick(Form, Qt::Key_Escape);
    });
}
