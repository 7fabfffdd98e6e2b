#include "../app/ProgramFixture.h"
#include "settings/SettingForm.h"
#include "split/CountDownForm.h"
#include "ui_Countdown.h"
#include "ui_Settings.h"

#include <QCheckBox>
#include <QTest>

namespace {

// A window in the state the last section leaves it in, with the three preferences given.
struct Finished : ProgramFixture
{
    Finished(bool turnOff, bool exit, bool openDir)
    {
        auto* s = program->Settings()->Form();
        s->chkTurnoff->setChecked(turnOff);
        s->chkExit->setChecked(exit);
        s->chkOpenDir->setChecked(openDir);
        Ui()->edtOutputDir->setText("/clips");
        Main()->BeginSplitUi();
        Main()->Completion();
    }
    TCountDownForm* Countdown() const { return program->Countdown(); }
};

} // namespace

class TestCompletion : public QObject
{
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<bool>("turnOff");
        QTest::addColumn<bool>("exit");
        QTest::addColumn<bool>("openDir");
        QTest::addColumn<QString>("now"); // countdown button; empty: no countdown
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("opened");
        const QStringList done{"Completed: Splitting is completed successfully."};
        QTest::newRow("turn off wins")
            << true << true << true << "Turn off Now" << QStringList{} << QStringList{};
        QTest::newRow("exit wins over open")
            << false << true << true << "Exit Now" << QStringList{} << QStringList{};
        QTest::newRow("message, then the folder as typed")
            << false << false << true << "" << done << QStringList{"/clips"};
        QTest::newRow("message only") << false << false << false << "" << done << QStringList{};
    }
    void choice()
    {
        QFETCH(bool, turnOff);
        QFETCH(bool, exit);
        QFETCH(bool, openDir);
        QFETCH(QString, now);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, opened);
        Finished f(turnOff, exit, openDir);
        QCOMPARE(f.dialogs.Texts(), boxes);
        QCOMPARE(f.shell.opened, opened);
        QCOMPARE(f.Countdown()->isVisible(), !now.isEmpty());
        QCOMPARE(f.Main()->SplitState(), 0);
        if (now.isEmpty()) {
            QVERIFY(f.Ui()->imgStart->isVisible()); // idle again
            return;
        }
        QCOMPARE(f.Countdown()->Form()->btnDoNow->text(), now);
        QVERIFY(f.Ui()->panProgress->isVisible()); // splitting look while counting
        QVERIFY(!f.Main()->isEnabled());
    }

    void countdownTexts()
    {
        Finished f(false, true, false);
        TCountDownForm* c = f.Countdown();
        QCOMPARE(c->size(), QSize(376, 106));
        QCOMPARE(c->windowTitle(), QStringLiteral("Countdown"));
        QCOMPARE(c->Timer().interval(), 1000);
        QVERIFY(c->Timer().isActive());
        QCOMPARE(c->Form()->labMessage->text(),
                 QStringLiteral("The program will exit within 10 seconds."));
        for (int left = 9; left >= 1; --left) {
            c->tmrCountdownTimer();
            QCOMPARE(c->Form()->labMessage->text(),
                     "The program will exit within " + QString::number(left) + " seconds.");
            QVERIFY(f.Main()->isVisible());
        }
        ProgramFixture::Screenshot(c, "countdown");
        c->tmrCountdownTimer();
        QCOMPARE(c->Form()->labMessage->text(),
                 QStringLiteral("The program will exit within 0 seconds."));
        QVERIFY(!c->Timer().isActive());
        QVERIFY(!f.Main()->isVisible()); // Now ran: the main window closed
    }

    void turnOffAtZero()
    {
        Finished f(true, false, false);
        TCountDownForm* c = f.Countdown();
        QCOMPARE(c->Form()->labMessage->text(),
                 QStringLiteral("The computer will be turned off within 10 seconds."));
        QTest::mouseClick(c->Form()->btnDoNow, Qt::LeftButton);
        QCOMPARE(f.power.powerOffs, 1);
        QVERIFY(c->Timer().isActive()); // Now does not stop the countdown
        for (int i = 0; i < 10; ++i) {
            c->tmrCountdownTimer();
        }
        QCOMPARE(f.power.powerOffs, 2);
        // Refused: the dialog stays at 0 seconds; Cancel then returns the window to idle.
        QVERIFY(c->isVisible());
        QTest::mouseClick(c->Form()->btnCancel, Qt::LeftButton);
        QVERIFY(!c->isVisible());
        QVERIFY(f.Main()->isEnabled());
        QVERIFY(f.Ui()->imgStart->isVisible());
        QVERIFY(!f.Ui()->panProgress->isVisible());
    }

    void closeBoxAsCancel()
    {
        Finished f(false, true, false);
        f.Countdown()->close();
        QVERIFY(!f.Countdown()->Timer().isActive());
        QVERIFY(f.Main()->isEnabled());
        QVERIFY(f.Ui()->imgStart->isVisible());
        QVERIFY(f.Main()->isVisible());
    }
};

BRINDLE_TEST_CLASS(TestCompletion)
#include "tst_completion.moc"
