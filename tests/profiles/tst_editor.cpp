#include "../app/ProgramFixture.h"
#include "TestSupport.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "profiles/IniFile.h"
#include "profiles/OutputSettingsForm.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileGrid.h"
#include "profiles/SizeForm.h"
#include "ui_CustomSize.h"
#include "ui_Main.h"
#include "ui_OutputSettings.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

QByteArray Fixture(const QString& name)
{
    QFile f(QStringLiteral(BRINDLE_SOURCE_DIR "/tests/fixtures/profiles/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Two profiles, "example" (the worked example) and "other", and the editor opened by Detail.
struct Editor
{
    TempAppDir app;
    FakeDialogs dialogs;
    FakeShell shell;
    FakePower power;
    std::unique_ptr<Program> program;

    Editor()
    {
        app.WriteFile("Profiles/example.apf", Fixture("example.apf"));
        app.WriteFile("Profiles/other.apf", Fixture("read_only_pick.apf"));
        app.WriteFile("Preferences.ini", "[Main]\nProfile=0\n");
        program = std::make_unique<Program>(app.Paths(), QStringList{}, &dialogs, &shell, &power);
        program->Main()->show();
        QTest::mouseClick(program->Main()->Form()->BitBtn1, Qt::LeftButton);
    }
    TopSettingForm* Form() const { return program->Editor(); }
    ProfileGrid* Grid(ProfileGroup g) const { return Form()->Grid(g); }
    ProfileStore& Store() const { return program->Store(); }
    QString Path(const QString& name) const { return app.Paths().ProfilePath(name); }
    // Sets a value as the grid does when the user picks or types it.
    void Set(ProfileGroup g, const QString& name, const QString& text) const
    {
        const int row = Store().FindRow(g, name);
        Grid(g)->setCurrentIndex(Grid(g)->Model()->index(row, 1));
        Grid(g)->Model()->setData(Grid(g)->Model()->index(row, 1), text, Qt::EditRole);
    }
    QString Args() const
    {
        QString args;
        const ProfileError e = BuildProfileArgs(
            Path(program->Main()->Form()->cmbProfile->currentText()), Store(), args);
        return e ? *e : args;
    }
    TSizeForm* Size() const { return program->Size(); }
};

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT
private slots:
    void opensWithTheMainProfile()
    {
        Editor e;
        QVERIFY(e.Form()->isVisible());
        QCOMPARE(e.Form()->windowTitle(), QStringLiteral("Profile"));
        QCOMPARE(e.Form()->size(), QSize(391, 472));
        QVERIFY(e.program->Main()->isEnabled()); // modeless
        QCOMPARE(e.Form()->Form()->cmbProfile->count(), 2);
        QCOMPARE(e.Form()->Form()->cmbProfile->currentText(), QStringLiteral("example"));
        QCOMPARE(e.Grid(ProfileGroup::Video)->Model()->rowCount(), 3);
        QCOMPARE(e.Grid(ProfileGroup::Video)->Model()->index(0, 1).data().toString(),
                 QStringLiteral("Codec B"));
        QCOMPARE(e.Grid(ProfileGroup::Audio)
                     ->Model()
                     ->index(0, 1)
                     .data(Qt::ForegroundRole)
                     .value<QColor>(),
                 QColor(192, 192, 192)); // a fixed parameter is greyed
        QVERIFY(!(e.Grid(ProfileGroup::Audio)
                      ->Model()
                      ->flags(e.Grid(ProfileGroup::Audio)->Model()->index(0, 1)) &
                  Qt::ItemIsEditable));
        QVERIFY(e.Grid(ProfileGroup::Video)
                    ->Model()
                    ->flags(e.Grid(ProfileGroup::Video)->Model()->index(0, 1)) &
                Qt::ItemIsEditable); // a read-only pick list can still be used
    }

    void workedExampleThroughTheEditor()
    {
        Editor e;
        QCOMPARE(e.Args(), QStringLiteral(" -vc cb -vb 800k -na "));
        e.Set(ProfileGroup::Video, "Video Size", "320x240");
        e.Set(ProfileGroup::Video, "Bit Rate", "1200k");
        e.Grid(ProfileGroup::Advanced)->StepPickList(0); // a double-click: No -> Yes
        QCOMPARE(e.Args(), QStringLiteral(" -vc cb -size 320x240 -vb 1200k -na  -di "));
        // A custom size through the size dialog.
        e.Set(ProfileGroup::Video, "Video Size", "Custom Size");
        QVERIFY(e.Size()->isVisible());
        QVERIFY(!e.program->Main()->isEnabled());
        QVERIFY(e.Form()->isEnabled());
        e.Size()->Form()->edtWidth->setText("640");
        e.Size()->Form()->edtHeight->setText("480");
        QTest::mouseClick(e.Size()->Form()->btnOK, Qt::LeftButton);
        QVERIFY(!e.Size()->isVisible());
        QVERIFY(e.program->Main()->isEnabled());
        QCOMPARE(e.Store().Text(ProfileGroup::Video, "Video Size"), QStringLiteral("640x480"));
        QCOMPARE(e.Args(), QStringLiteral(" -vc cb -size 640x480 -vb 1200k -na  -di "));
        ProgramFixture::Screenshot(e.Form(), "editor");
    }

    void okStoresOriginalSize()
    {
        Editor e;
        e.Set(ProfileGroup::Video, "Video Size", "320x240");
        e.Set(ProfileGroup::Video, "Bit Rate", "1500k");
        QTest::mouseClick(e.Form()->Form()->Button1, Qt::LeftButton);
        QVERIFY(!e.Form()->isVisible());
        const IniFile ini(e.Path("example"));
        QCOMPARE(ini.ReadInteger("Video Size", "Index", 9), 0);
        QCOMPARE(ini.ReadString("Bit Rate", "Caption"), QStringLiteral("1500k"));
        QCOMPARE(ini.ReadString("Bit Rate", "Value"), QStringLiteral("1500k"));
        QCOMPARE(e.Store().Text(ProfileGroup::Video, "Video Size"), QStringLiteral("320x240"));
    }

    void okFails()
    {
        Editor e;
        QFile::setPermissions(e.Path("example"), QFile::ReadOwner);
        e.Set(ProfileGroup::Video, "Bit Rate", "1500k");
        QTest::mouseClick(e.Form()->Form()->Button1, Qt::LeftButton);
        QVERIFY(e.Form()->isVisible());
        QCOMPARE(e.dialogs.boxes.value(0).text, "Unable to write to " + e.Path("example"));
    }

    void cancelReloadsTheEditorsProfile()
    {
        Editor e;
        e.Form()->Form()->cmbProfile->setCurrentIndex(1);
        e.Form()->cmbProfileChange();
        QCOMPARE(e.Store().Text(ProfileGroup::Audio, "Channels"), QStringLiteral("Stereo"));
        e.Set(ProfileGroup::Audio, "Channels", "Mono");
        QTest::mouseClick(e.Form()->Form()->Button2, Qt::LeftButton);
        QVERIFY(!e.Form()->isVisible());
        QCOMPARE(e.Store().Text(ProfileGroup::Audio, "Channels"), QStringLiteral("Stereo"));
        QCOMPARE(e.program->Main()->Form()->cmbProfile->currentText(), QStringLiteral("example"));
        // Detail now loads the main list's profile again.
        QTest::mouseClick(e.program->Main()->Form()->BitBtn1, Qt::LeftButton);
        QCOMPARE(e.Store().OutputExt(), QStringLiteral(".avi"));
    }

    void titleBarCloseKeepsEdits()
    {
        Editor e;
        const QByteArray before = Fixture("example.apf");
        e.Set(ProfileGroup::Video, "Bit Rate", "999k");
        e.Form()->close();
        QVERIFY(!e.Form()->isVisible());
        QFile f(e.Path("example"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        QVERIFY(e.Args().contains(" -vb 999k"));
        // Detail with the same profile in both lists shows the editor without reloading.
        QTest::mouseClick(e.program->Main()->Form()->BitBtn1, Qt::LeftButton);
        QCOMPARE(e.Store().Text(ProfileGroup::Video, "Bit Rate"), QStringLiteral("999k"));
    }

    void saveAs()
    {
        Editor e;
        e.Set(ProfileGroup::Video, "Video Size", "320x240");
        e.dialogs.fileToSave = e.Path("copy");
        QTest::mouseClick(e.Form()->Form()->btnSaveAs, Qt::LeftButton);
        QCOMPARE(e.dialogs.filters.last(), QStringLiteral("Profiles (*.apf)|*.apf"));
        QCOMPARE(IniFile(e.Path("copy")).ReadInteger("Video Size", "Index", 9), 1); // kept
        QCOMPARE(e.Form()->Form()->cmbProfile->count(), 2); // not listed until the next start

        // A custom size has no caption: the copy stores "Original Size" instead of -1.
        e.Store().SetText(ProfileGroup::Video, "Video Size", "800x600");
        e.dialogs.fileToSave = e.Path("copy2");
        QTest::mouseClick(e.Form()->Form()->btnSaveAs, Qt::LeftButton);
        QCOMPARE(IniFile(e.Path("copy2")).ReadInteger("Video Size", "Index", 9), 0);
        ProfileStore fresh;
        QCOMPARE(LoadProfile(e.Path("copy2"), fresh), ProfileError{});
        QCOMPARE(e.Store().Text(ProfileGroup::Video, "Video Size"), QStringLiteral("800x600"));

        e.dialogs.fileToSave.clear(); // cancelled
        QTest::mouseClick(e.Form()->Form()->btnSaveAs, Qt::LeftButton);
    }

    void collapse()
    {
        Editor e;
        QCOMPARE(e.Grid(ProfileGroup::Video)->height(), 3 * 18);
        QCOMPARE(e.Grid(ProfileGroup::Audio)->height(), 18);
        QTest::mouseClick(e.Form()->CollapseButton(ProfileGroup::Video), Qt::LeftButton);
        QCOMPARE(e.Grid(ProfileGroup::Video)->height(), 1);
        QCOMPARE(e.Form()->CollapseButton(ProfileGroup::Video)->text(), QStringLiteral("+"));
        QCOMPARE(e.Form()->Bar(ProfileGroup::Audio)->y(), 18 + 1);
        QTest::mouseClick(e.Form()->CollapseButton(ProfileGroup::Video), Qt::LeftButton);
        QCOMPARE(e.Grid(ProfileGroup::Video)->height(), 3 * 17 + 3 + 1);
        QCOMPARE(e.Form()->Bar(ProfileGroup::Audio)->y(), 18 + 55);
        // The designed rows: six in a group give 109 pixels.
        ProfileStore designed;
        QCOMPARE(6 * 17 + 6 + 1, 109);
        QCOMPARE(designed.RowCount(ProfileGroup::Video), 6);
    }

    void sizeChecks_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("result"); // the row's text, or the failure's caption
        QTest::newRow("640x480") << "640"
                                 << "480"
                                 << "640x480";
        QTest::newRow("empty width") << ""
                                     << "480"
                                     << "Incorrect Width";
        QTest::newRow("640px") << "640px"
                               << "480"
                               << "Incorrect Width";
        QTest::newRow("480p") << "640"
                              << "480p"
                              << "Incorrect Height";
        QTest::newRow("negative and zero") << "-320"
                                           << "0"
                                           << "-320x0";
        QTest::newRow("leading blank kept") << " 720"
                                            << "576"
                                            << " 720x576";
        QTest::newRow("hexadecimal as typed") << "$280"
                                              << "480"
                                              << "$280x480";
    }
    void sizeChecks()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, result);
        Editor e;
        e.Set(ProfileGroup::Video, "Video Size", "Custom Size");
        QVERIFY(e.Size()->isVisible());
        e.Size()->Form()->edtWidth->setText(width);
        e.Size()->Form()->edtHeight->setText(height);
        QTest::mouseClick(e.Size()->Form()->btnOK, Qt::LeftButton);
        if (result.startsWith("Incorrect")) {
            QVERIFY(e.Size()->isVisible());
            QCOMPARE(e.dialogs.boxes.value(0).caption, result);
            QCOMPARE(e.dialogs.boxes.value(0).owner, e.Size());
            QCOMPARE(e.Size()->focusWidget(), result.endsWith("Width")
                                                  ? e.Size()->Form()->edtWidth
                                                  : e.Size()->Form()->edtHeight);
            return;
        }
        QVERIFY(!e.Size()->isVisible());
        QCOMPARE(e.Store().Text(ProfileGroup::Video, "Video Size"), result);
    }

    void sizeCancelled()
    {
        Editor e;
        e.Set(ProfileGroup::Video, "Video Size", "Custom Size");
        QVERIFY(!e.program->Main()->isEnabled());
        ProgramFixture::Screenshot(e.Size(), "size");
        QTest::mouseClick(e.Size()->Form()->btnCancel, Qt::LeftButton);
        QCOMPARE(e.Store().Text(ProfileGroup::Video, "Video Size"),
                 QStringLiteral("Original Size"));
        QVERIFY(e.program->Main()->isEnabled());
        e.Set(ProfileGroup::Video, "Video Size", "Custom Size");
        e.Size()->close(); // the title bar: the same
        QCOMPARE(e.Store().Text(ProfileGroup::Video, "Video Size"),
                 QStringLiteral("Original Size"));
    }

    // A shipped profile in the editor: every row in its group, the grids as tall as their rows.
    void shippedProfile()
    {
        Editor e;
        QCOMPARE(
            LoadProfile(QStringLiteral(BRINDLE_SOURCE_DIR "/data/Profiles/MP4 (H.264 + AAC).apf"),
                        e.Store()),
            ProfileError{});
        QCOMPARE(e.Grid(ProfileGroup::Video)->Model()->rowCount(), 7);
        QCOMPARE(e.Grid(ProfileGroup::Audio)->Model()->rowCount(), 6);
        QCOMPARE(e.Grid(ProfileGroup::Advanced)->Model()->rowCount(), 5);
        QCOMPARE(e.Grid(ProfileGroup::Video)->height(), 7 * 18);
        QCOMPARE(e.Form()->Bar(ProfileGroup::Advanced)->y(), 18 + 7 * 18 + 18 + 6 * 18);
        e.Grid(ProfileGroup::Video)->setFocus();
        e.Grid(ProfileGroup::Video)
            ->setCurrentIndex(e.Grid(ProfileGroup::Video)->Model()->index(1, 0));
        QTest::qWait(50);
        QVERIFY(e.Form()->Form()->ScrollBox1->verticalScrollBar()->maximum() > 0);
        ProgramFixture::Screenshot(e.Form(), "editor-mp4");
    }
};

BRINDLE_TEST_CLASS(TestEditor)
#include "tst_editor.moc"
