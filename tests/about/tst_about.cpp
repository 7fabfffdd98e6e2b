#include "../app/ProgramFixture.h"
#include "about/AboutForm.h"
#include "ui_About.h"

#include <QTest>

class TestAbout : public QObject
{
    Q_OBJECT
private slots:
    void labels()
    {
        ProgramFixture f;
        TAboutForm* a = f.program->About();
        QCOMPARE(a->windowTitle(), QStringLiteral("About"));
        QCOMPARE(a->size(), QSize(476, 330));
        QCOMPARE(a->Form()->labProgramName->text(), QStringLiteral("Brindle Video Splitter"));
        QVERIFY(a->Form()->labProgramName->font().bold() &&
                a->Form()->labProgramName->font().italic());
        QCOMPARE(a->Form()->labVersion->text(), QStringLiteral("Version 1.8"));
        QCOMPARE(a->Form()->labVisitWebsite->text(), QStringLiteral("Visit our website"));
        QCOMPARE(a->Form()->Label7->text(), QStringLiteral("More video converting softwares"));
        QCOMPARE(a->Form()->labMore->text(), QStringLiteral("(More)"));

        ProgramFixture v("[Main]\nVersion=2.0 beta\n");
        QCOMPARE(v.program->About()->Form()->labVersion->text(),
                 QStringLiteral("Version 2.0 beta"));
        QCOMPARE(v.Main()->windowTitle(), QStringLiteral("Brindle Video Splitter V2.0 beta"));
    }

    void links()
    {
        ProgramFixture f;
        TAboutForm* a = f.program->About();
        QTest::mouseClick(f.Ui()->sbtnAbout, Qt::LeftButton);
        QVERIFY(a->isVisible());
        QVERIFY(!f.Main()->isEnabled());
        for (QLabel* label : {a->Form()->labWebsite, a->Form()->labMore, a->Form()->Label8,
                              a->Form()->Label9, a->Form()->Label10}) {
            QTest::mouseClick(label, Qt::LeftButton);
        }
        QCOMPARE(f.shell.opened,
                 (QStringList{a->Form()->labWebsite->text(), a->Form()->labWebsite->text(),
                              "https://ffmpeg.org/", "https://mpv.io/", "https://www.qt.io/"}));
        ProgramFixture::Screenshot(a, "about");
        QTest::mouseClick(a->Form()->btnOK, Qt::LeftButton);
        QVERIFY(!a->isVisible());
        QVERIFY(f.Main()->isEnabled());
    }

    // The About button stays usable during a job.
    void duringJob()
    {
        ProgramFixture f;
        f.Main()->BeginSplitUi();
        QVERIFY(f.Ui()->sbtnAbout->isEnabled());
        QTest::mouseClick(f.Ui()->sbtnAbout, Qt::LeftButton);
        QVERIFY(f.program->About()->isVisible());
    }
};

BRINDLE_TEST_CLASS(TestAbout)
#include "tst_about.moc"
