#include "../app/ProgramFixture.h"
#include "profiles/IniFile.h"
#include "settings/SettingForm.h"
#include "ui_Settings.h"

#include <QCheckBox>
#include <QFile>
#include <QTest>

namespace {

QList<bool> Boxes(const TSettingForm* s)
{
    const auto* ui = s->Form();
    return {ui->chkPreview->isChecked(),   ui->chkOverwrite->isChecked(),
            ui->chkoutputdir->isChecked(), ui->chkOpenDir->isChecked(),
            ui->chkExit->isChecked(),      ui->chkTurnoff->isChecked()};
}

const QByteArray Saved = "[Main]\nPreview=0\nOverwrite=0\nAptotic=0\nOutput Dir=/saved/\n"
                         "Auto Open Dir=1\nAuto Exit=0\nAuto Turn Off=0\nProfile=1\n"
                         "[Default]\nPreview=1\nOverwrite=1\nAptotic=1\nOutput Dir=/default/\n"
                         "Auto Open Dir=0\nAuto Exit=0\nAuto Turn Off=0\n";

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void noFile()
    {
        ProgramFixture f;
        TSettingForm* s = f.program->Settings();
        QCOMPARE(Boxes(s), QList<bool>(6, true));
        QCOMPARE(s->Form()->edtOutputDir->text(), f.app.Paths().AppDir());
        QCOMPARE(f.Ui()->edtOutputDir->text(), f.app.Paths().AppDir());
        QCOMPARE(f.Ui()->cmbProfile->currentIndex(), 0);
        QCOMPARE(s->size(), QSize(351, 332));
        QCOMPARE(s->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(s->Form()->chkOpenDir->text(),
                 QStringLiteral("Open the output directory when the task is completed. "));
        QVERIFY(!QFile::exists(f.app.Paths().PreferencesPath())); // nothing written yet
    }

    void loadsMain()
    {
        ProgramFixture f(Saved);
        TSettingForm* s = f.program->Settings();
        QCOMPARE(Boxes(s), (QList<bool>{false, false, false, true, false, false}));
        QCOMPARE(s->Form()->edtOutputDir->text(), QStringLiteral("/saved/"));
        QVERIFY(f.Ui()->edtOutputDir->text().isEmpty()); // "Aptotic" off: not set at start
        QCOMPARE(f.Ui()->cmbProfile->currentText(), QStringLiteral("b"));
        QVERIFY(!s->Overwrite());
    }

    void profilePosition_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("index");
        QTest::newRow("none") << QByteArray("-1") << -1;
        QTest::newRow("beyond the list") << QByteArray("5") << -1;
        QTest::newRow("hexadecimal") << QByteArray("$1") << 1;
        QTest::newRow("not a number") << QByteArray("first") << 0;
    }
    void profilePosition()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, index);
        ProgramFixture f("[Main]\nProfile=" + value + "\n");
        QCOMPARE(f.Ui()->cmbProfile->currentIndex(), index);
        // Selecting loads nothing until the window is shown: only then is the store filled.
        QCOMPARE(f.program->Store().OutputExt(),
                 index < 0 ? QString() : "." + f.Ui()->cmbProfile->currentText());
    }

    void loadDefault()
    {
        ProgramFixture f(Saved);
        TSettingForm* s = f.program->Settings();
        s->show();
        QTest::mouseClick(s->Form()->btnDefault, Qt::LeftButton);
        QCOMPARE(Boxes(s), (QList<bool>{true, true, true, false, false, false}));
        QCOMPARE(s->Form()->edtOutputDir->text(), QStringLiteral("/default/"));
        QCOMPARE(IniFile(f.app.Paths().PreferencesPath()).ReadString("Main", "Output Dir"),
                 QStringLiteral("/saved/")); // nothing written

        ProgramFixture none("[Main]\nAptotic=0\n");
        QTest::mouseClick(none.program->Settings()->Form()->btnDefault, Qt::LeftButton);
        QCOMPARE(Boxes(none.program->Settings()), QList<bool>(6, true));
        QCOMPARE(none.program->Settings()->Form()->edtOutputDir->text(), none.app.Paths().AppDir());
    }

    void cancelRestores()
    {
        ProgramFixture f(Saved);
        TSettingForm* s = f.program->Settings();
        QTest::mouseClick(f.Ui()->sbtnSettings, Qt::LeftButton);
        QVERIFY(s->isVisible());
        QVERIFY(!f.Main()->isEnabled());
        s->Form()->chkOverwrite->setChecked(true);
        s->Form()->edtOutputDir->setText("/edited/");
        QTest::mouseClick(s->Form()->btnCancel, Qt::LeftButton);
        QVERIFY(!s->isVisible());
        QVERIFY(f.Main()->isEnabled());
        QVERIFY(!s->Overwrite());
        QCOMPARE(s->Form()->edtOutputDir->text(), QStringLiteral("/saved/"));
    }

    void titleBarCloseKeepsEdits()
    {
        ProgramFixture f(Saved);
        TSettingForm* s = f.program->Settings();
        s->show();
        s->Form()->chkOverwrite->setChecked(true);
        s->close();
        QVERIFY(f.Main()->isEnabled());
        QVERIFY(s->Overwrite()); // in force for the next job
        QCOMPARE(IniFile(f.app.Paths().PreferencesPath()).ReadInteger("Main", "Overwrite", 9), 0);
        QVERIFY(f.Main()->close()); // and saved when the main window closes
        QCOMPARE(IniFile(f.app.Paths().PreferencesPath()).ReadInteger("Main", "Overwrite", 9), 1);
    }

    void okWritesInOrder()
    {
        ProgramFixture f(QByteArray(""));
        TSettingForm* s = f.program->Settings();
        s->show();
        s->Form()->chkExit->setChecked(false);
        s->Form()->chkTurnoff->setChecked(false);
        s->Form()->edtOutputDir->setText("/clips/");
        f.Ui()->cmbProfile->setCurrentIndex(1);
        QTest::mouseClick(s->Form()->btnOK, Qt::LeftButton);
        QVERIFY(!s->isVisible());
        QFile file(f.app.Paths().PreferencesPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("[Main]\nPreview=1\nOverwrite=1\nAptotic=1\nOutput Dir=/clips/\n"
                            "Auto Open Dir=1\nAuto Exit=0\nAuto Turn Off=0\nProfile=1\n"));
        QCOMPARE(f.Ui()->edtOutputDir->text(), QStringLiteral("/clips/")); // "Aptotic" on
    }

    void aptoticOff()
    {
        ProgramFixture f(Saved);
        f.Ui()->edtOutputDir->setText("/typed/");
        TSettingForm* s = f.program->Settings();
        s->show();
        QTest::mouseClick(s->Form()->btnOK, Qt::LeftButton);
        QCOMPARE(f.Ui()->edtOutputDir->text(), QStringLiteral("/typed/")); // OK leaves it
        const QString video = f.app.WriteFile("videos/a.avi", "v");
        f.Main()->LoadSource(video);
        QCOMPARE(f.Ui()->edtOutputDir->text(), f.app.Path("videos/"));

        ProgramFixture on("[Main]\nAptotic=1\nOutput Dir=/fixed/\n");
        QCOMPARE(on.Ui()->edtOutputDir->text(), QStringLiteral("/fixed/"));
        on.Main()->LoadSource(on.app.WriteFile("videos/a.avi", "v"));
        QCOMPARE(on.Ui()->edtOutputDir->text(), QStringLiteral("/fixed/"));
    }

    // A preferences file marked read-only cannot be written: the dialog says so and stays.
    void unwritable()
    {
        ProgramFixture f(Saved);
        QFile::setPermissions(f.app.Paths().PreferencesPath(), QFile::ReadOwner | QFile::ReadGroup);
        TSettingForm* s = f.program->Settings();
        s->show();
        QTest::mouseClick(s->Form()->btnOK, Qt::LeftButton);
        QVERIFY(s->isVisible());
        QCOMPARE(f.dialogs.boxes.size(), 1);
        QCOMPARE(f.dialogs.boxes[0].text, "Unable to write to " + f.app.Paths().PreferencesPath());
        QCOMPARE(f.dialogs.boxes[0].owner, s);
        s->close();
        QVERIFY(f.Main()->close()); // the window still closes
    }

    void browse()
    {
        ProgramFixture f;
        TSettingForm* s = f.program->Settings();
        s->show();
        f.dialogs.folderToPick = "/media/disk";
        QTest::mouseClick(s->Form()->bbtnBrowse, Qt::LeftButton);
        QCOMPARE(f.dialogs.filters.last(), QStringLiteral("Select the output directory."));
        QCOMPARE(s->Form()->edtOutputDir->text(), QStringLiteral("/media/disk/"));
        f.dialogs.folderToPick.clear(); // cancelled: unchanged
        QTest::mouseClick(s->Form()->bbtnBrowse, Qt::LeftButton);
        QCOMPARE(s->Form()->edtOutputDir->text(), QStringLiteral("/media/disk/"));
        ProgramFixture::Screenshot(s, "settings");
    }
};

BRINDLE_TEST_CLASS(TestSettings)
#include "tst_settings.moc"
