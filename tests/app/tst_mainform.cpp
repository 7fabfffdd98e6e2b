#include "FakePlatform.h"
#include "TestSupport.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "preview/Player.h"
#include "preview/TrackBar.h"
#include "settings/SettingForm.h"
#include "ui_Main.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

const char* Profile = "[Main]\nType=avi\nPara=1\n0=Video Codec\n"
                      "[Video Codec]\nSort=1\ncmd=-c:v\nCaption=MPEG-4,\nValue=mpeg4,\n";

// A program folder with one profile, preferences that keep every question, and the fake
// encoder; the windows built over it with fake dialogs.
struct Window
{
    TempAppDir app;
    FakeDialogs dialogs;
    FakeShell shell;
    FakePower power;
    std::unique_ptr<Program> program;
    QString clip;

    explicit Window(const QByteArray& script = "exit 0\n", const QStringList& args = {},
                    bool withPreferences = true)
    {
        app.WriteFile("Profiles/avi.apf", Profile);
        if (withPreferences) {
            app.WriteFile("Preferences.ini", "[Main]\nOverwrite=0\nAptotic=0\nProfile=0\n"
                                             "Auto Open Dir=0\nAuto Exit=0\nAuto Turn Off=0\n");
        }
        app.InstallFakeEncoder(script);
        program = std::make_unique<Program>(app.Paths(), args, &dialogs, &shell, &power);
        Main()->show();
    }
    TMainForm* Main() const { return program->Main(); }
    Ui::TMainForm* Ui() const { return Main()->Form(); }

    // Loads a real clip (the duration comes from the player) and fills a valid request.
    [[nodiscard]] bool Ready(const QString& end = "0:0:2")
    {
        clip = MakeClip(app.Path("in/trip.avi"), 3.0, {"-c:v", "mpeg4", "-c:a", "libmp3lame"});
        if (clip.isEmpty()) {
            return false;
        }
        Main()->LoadSource(clip);
        if (!QTest::qWaitFor([this] { return Main()->PreviewPlayer()->DurationMs() > 2900; },
                             10000)) {
            return false;
        }
        Ui()->edtEnd->setText(end);
        QDir().mkpath(app.Path("out"));
        Ui()->edtOutputDir->setText(app.Path("out/"));
        return true;
    }
};

// A pointer move without a button, straight to the widget.
void Move(QWidget* widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void ClickImage(QLabel* image)
{
    Move(image, {20, 20});
    QTest::mousePress(image, Qt::LeftButton, {}, {20, 20});
    QTest::mouseRelease(image, Qt::LeftButton, {}, {20, 20});
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
private slots:
    void startWithoutPreferences()
    {
        Window w("exit 0\n", {}, false);
        QCOMPARE(w.Main()->windowTitle(), QStringLiteral("Brindle Video Splitter V1.8"));
        QCOMPARE(w.Ui()->labProgramName->text(), QStringLiteral("Video Splitter"));
        QVERIFY(w.Ui()->panbanner->isVisible());
        QVERIFY(!w.Main()->SourceLoaded());
        QCOMPARE(w.Main()->size(), QSize(783, 431));
        QCOMPARE(
            w.Main()->OpenDialogFilter(),
            QStringLiteral("All Support "
                           "Files(*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;)|*.avi;*.mpg;*."
                           "mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;|AVI Files (*.avi)|*.avi|MPG Files "
                           "(*.mpg)|*.mpg|MPEG Files (*.mpeg)|*.mpeg|MP4 Files (*.mp4)|*.mp4|WMV "
                           "Files (*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|VOB Files "
                           "(*.vob)|*.vob|ASF Files (*.asf)|*.asf|All Files (*.*)|*.*"));
        QCOMPARE(w.Main()->SupportedExtensions(),
                 (QStringList{".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf"}));
        // Without a file every preference is on; the output folder follows the program folder.
        QVERIFY(w.program->Settings()->Overwrite());
        QCOMPARE(w.Ui()->edtOutputDir->text(), w.app.Paths().AppDir());
        QCOMPARE(w.Ui()->cmbProfile->currentText(), QStringLiteral("avi"));
        QCOMPARE(w.program->Store().OutputExt(), QStringLiteral(".avi")); // loaded on show
        QVERIFY(w.Ui()->rdbStartEnd->isChecked());
        QVERIFY(!w.Ui()->panProgress->isVisible());
        QVERIFY(!w.Ui()->imgCancel->isVisible());
    }

    void openDialog()
    {
        Window w;
        w.dialogs.fileToOpen = w.app.WriteFile("any.xyz", "not a video");
        QTest::mouseClick(w.Ui()->sbtnOpen, Qt::LeftButton);
        QCOMPARE(w.dialogs.filters.value(0), w.Main()->OpenDialogFilter());
        QCOMPARE(w.Ui()->edtSource->text(), w.dialogs.fileToOpen); // any chosen name is loaded
        QVERIFY(w.Main()->SourceLoaded());
        QVERIFY(!w.Ui()->panbanner->isVisible());
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("upper-case extension") << "MOV" << true;
        QTest::newRow("list file") << "tmp" << true;
        QTest::newRow("upper-case list file") << "TMP" << true;
        QTest::newRow("list of several lines") << "lines" << true;
        QTest::newRow("list naming a missing file") << "tmp-missing" << false;
        QTest::newRow("list naming another type") << "tmp-mkv" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("other type") << "mkv" << false;
    }
    void commandLine()
    {
        QFETCH(QString, kind);
        QFETCH(bool, loaded);
        TempAppDir files;
        const QString video = files.WriteFile("Clip.MOV", "v");
        const QString mkv = files.WriteFile("clip.mkv", "v");
        QString arg;
        if (kind == "MOV")
            arg = video;
        if (kind == "tmp")
            arg = files.WriteFile("list.tmp", video.toUtf8() + "\n");
        if (kind == "TMP")
            arg = files.WriteFile("LIST.TMP", video.toUtf8());
        if (kind == "lines")
            arg = files.WriteFile("l.tmp", video.toUtf8() + "\n" + mkv.toUtf8() + "\n");
        if (kind == "tmp-missing")
            arg = files.WriteFile("m.tmp", files.Path("gone.avi").toUtf8());
        if (kind == "tmp-mkv")
            arg = files.WriteFile("k.tmp", mkv.toUtf8());
        if (kind == "folder") {
            QDir().mkpath(files.Path("dir.avi"));
            arg = files.Path("dir.avi");
        }
        if (kind == "mkv")
            arg = mkv;
        Window w("exit 0\n", {arg});
        QCOMPARE(w.Main()->SourceLoaded(), loaded);
        QCOMPARE(w.Ui()->edtSource->text(), loaded ? video : QString());
        QVERIFY(w.dialogs.boxes.isEmpty());
    }

    void failedChecks_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::newRow("source") << "source"
                                << "Invalid File"
                                << "Please specify a valid input video file."
                                << "edtSource";
        QTest::newRow("start") << "start"
                               << "Invalid Start Time"
                               << "Please varify the Start Time you selected."
                               << "";
        QTest::newRow("end") << "end"
                             << "Invalid End Time"
                             << "Please varify the End Time you selected."
                             << "";
        QTest::newRow("order") << "order"
                               << "Invalid Time"
                               << "The End Time should be later than the Start Time."
                               << "";
        QTest::newRow("sections") << "sections"
                                  << "Invalid Section"
                                  << "Please specify a valid section quantity."
                                  << "edtSectionQty";
        QTest::newRow("profile") << "profile"
                                 << "Invalid Output Path"
                                 << "Please select a valid output profile."
                                 << "cmbProfile";
        QTest::newRow("folder") << "folder"
                                << "Invalid Output Path"
                                << "Please specify a valid output path."
                                << "edtOutputDir";
    }
    void failedChecks()
    {
        QFETCH(QString, field);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        Window w;
        QVERIFY(w.Ready());
        w.Ui()->BitBtn1->setFocus();
        if (field == "source")
            w.Ui()->edtSource->setText(w.app.Path("none.avi"));
        if (field == "start")
            w.Ui()->edtStart->setText("0:0:x");
        if (field == "end")
            w.Ui()->edtEnd->setText("0");
        if (field == "order")
            w.Ui()->edtStart->setText("0:0:2");
        if (field == "sections") {
            QTest::mouseClick(w.Ui()->edtSectionQty, Qt::LeftButton);
            w.Ui()->edtSectionQty->setText("x");
        }
        if (field == "profile")
            w.Ui()->cmbProfile->setCurrentIndex(-1);
        if (field == "folder")
            w.Ui()->edtOutputDir->setText(w.app.Path("nowhere"));
        w.Main()->imgStartClick();
        QCOMPARE(w.dialogs.boxes.size(), 1);
        QCOMPARE(w.dialogs.boxes[0].kind, QStringLiteral("inform"));
        QCOMPARE(w.dialogs.boxes[0].caption, caption);
        QCOMPARE(w.dialogs.boxes[0].text, text);
        QCOMPARE(w.dialogs.boxes[0].owner, w.Main());
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(),
                 focus.isEmpty() ? QStringLiteral("BitBtn1") : focus);
        QCOMPARE(w.Main()->SplitState(), 0);
        QVERIFY(!w.Ui()->panProgress->isVisible());
    }

    void wholeJob()
    {
        Window w("print frame=1 time=0.5 \nsleep 600\nprint time=1.0 \nsleep 600\nexit 0\n");
        QVERIFY(w.Ready("0:0:2"));
        QTest::mouseClick(w.Ui()->edtSectionQty, Qt::LeftButton); // checks the equal-sections mode
        QVERIFY(w.Ui()->rdbEqual->isChecked());
        w.Ui()->edtSectionQty->setText("2");
        ClickImage(w.Ui()->imgStart);
        QCOMPARE(w.Main()->SplitState(), 1);
        QVERIFY(w.Ui()->panProgress->isVisible());
        QVERIFY(w.Ui()->imgCancel->isVisible());
        QVERIFY(!w.Ui()->imgStart->isVisible());
        QVERIFY(!w.Ui()->sbtnOpen->isEnabled());
        QVERIFY(!w.Ui()->sbtnSettings->isEnabled());
        QVERIFY(w.Ui()->sbtnAbout->isEnabled());
        QVERIFY(!w.Ui()->tkbProgress->isEnabled());
        QVERIFY(!w.Ui()->sbtnSelStart->isEnabled());
        QCOMPARE(w.Ui()->labCurProgress->text(), QStringLiteral("0%"));
        QTRY_COMPARE(w.Ui()->labProcessing->text(), QStringLiteral("Splitting: Section 1"));
        QTRY_COMPARE(w.Ui()->labCurProgress->text(), QStringLiteral("50%"));
        QCOMPARE(w.Ui()->labTotalProgress->text(), QStringLiteral("25%"));
        QTRY_COMPARE(w.Ui()->pgbCurrent->value(), 100);
        QTRY_COMPARE(w.Ui()->labProcessing->text(), QStringLiteral("Splitting: Section 2"));
        QTRY_COMPARE(w.Ui()->labTotalProgress->text(), QStringLiteral("75%"));
        QTRY_VERIFY_WITH_TIMEOUT(!w.Ui()->panProgress->isVisible(), 10000);
        QCOMPARE(w.dialogs.Texts(), QStringList{"Completed: Splitting is completed successfully."});
        QCOMPARE(w.Main()->SplitState(), 0);
        QVERIFY(w.Ui()->imgStart->isVisible());
        QVERIFY(w.Ui()->sbtnOpen->isEnabled());
        QCOMPARE(w.app.RecordedRuns().size(), 2);
        QCOMPARE(w.app.RecordedRuns()[1].mid(3, 6),
                 (QStringList{"-ss", "1.0", "-t", "1", "-c:v", "mpeg4"}));
        QVERIFY(!w.Ui()->labElapsed->text().isEmpty());
    }

    void cancel()
    {
        Window w("print time=0.5 \nhang\n");
        QVERIFY(w.Ready());
        w.dialogs.answers = {false};
        w.Main()->imgStartClick();
        QTRY_COMPARE(w.app.RecordedRuns().size(), 1);
        ClickImage(w.Ui()->imgCancel);
        QCOMPARE(w.dialogs.Texts().last(),
                 QStringLiteral("Query: Do you want to cancel the splitting?"));
        QCOMPARE(w.Main()->SplitState(), 1); // No: the job goes on
        QVERIFY(w.Ui()->panProgress->isVisible());
        w.dialogs.answers = {true};
        ClickImage(w.Ui()->imgCancel);
        QCOMPARE(w.Main()->SplitState(), 0);
        QVERIFY(!w.Ui()->panProgress->isVisible());
        QVERIFY(w.Ui()->imgStart->isVisible());
        QCOMPARE(w.dialogs.boxes.size(), 2); // no completion message
    }

    void closeDuringJob()
    {
        Window w("hang\n");
        QVERIFY(w.Ready());
        w.Main()->imgStartClick();
        QTRY_COMPARE(w.app.RecordedRuns().size(), 1);
        w.dialogs.answers = {false};
        QVERIFY(!w.Main()->close());
        QCOMPARE(w.dialogs.Texts().last(),
                 QStringLiteral("Exit Query: Do you want to cancel the splitting and exit?"));
        QVERIFY(w.Main()->isVisible());
        QCOMPARE(w.Main()->SplitState(), 1);
        w.dialogs.answers = {true};
        QVERIFY(w.Main()->close());
        QCOMPARE(w.Main()->SplitState(), 0);
        QVERIFY(!w.Main()->Job().IsRunning());
        // Closing saved the preferences, the profile position among them.
        w.app.WriteFile("Preferences.ini", "[Main]\n");
        w.Ui()->cmbProfile->setCurrentIndex(-1);
        w.Main()->show();
        QVERIFY(w.Main()->close());
        QFile prefs(w.app.Paths().PreferencesPath());
        QVERIFY(prefs.open(QIODevice::ReadOnly));
        QVERIFY(prefs.readAll().contains("Profile=-1"));
    }

    void overwriteQuestion()
    {
        Window w("exit 0\n");
        QVERIFY(w.Ready());
        w.app.WriteFile("out/trip_Clip1.avi", "old");
        w.Main()->imgStartClick(); // one-clip mode, No: back to idle without completion
        QTRY_VERIFY(!w.Ui()->panProgress->isVisible());
        QCOMPARE(w.dialogs.Texts(),
                 QStringList{"Overwrite: The output file is existent. Overwrite it?"});
        QCOMPARE(w.app.RecordedRuns().size(), 0);
    }

    void missingEncoder()
    {
        Window w("exit 0\n");
        QVERIFY(w.Ready());
        QFile::remove(w.app.Paths().EncoderPath());
        w.Main()->imgStartClick();
        QTRY_VERIFY(!w.Ui()->panProgress->isVisible());
        QCOMPARE(w.dialogs.boxes.last().kind, QStringLiteral("plain"));
        QCOMPARE(w.dialogs.boxes.last().text,
                 QStringLiteral("Error. Please re-install Brindle Video Splitter"));
    }

    void imageButtonLooks()
    {
        Window w;
        QLabel* start = w.Ui()->imgStart;
        QCOMPARE(w.Main()->StartTag(), 0);
        Move(w.Ui()->Image4, {10, 10});
        Move(start, {30, 30});
        QCOMPARE(w.Main()->StartTag(), 1);
        QCOMPARE(w.Main()->StartPicture(), 1);
        QTest::mousePress(start, Qt::RightButton, {}, {30, 30}); // every button counts
        QCOMPARE(w.Main()->StartTag(), 2);
        QCOMPARE(w.Main()->StartPicture(), 2);
        QMouseEvent drag(QEvent::MouseMove, QPointF(40, 30), start->mapToGlobal(QPointF(40, 30)),
                         Qt::NoButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(start, &drag);
        QCOMPARE(w.Main()->StartPicture(), 2);
        QTest::mouseRelease(start, Qt::RightButton, {}, {40, 30});
        QCOMPARE(w.Main()->StartTag(), 1);
        QCOMPARE(w.Main()->StartPicture(), 1);
        Move(w.Ui()->panRight, {10, 10});
        QCOMPARE(w.Main()->StartTag(), 0);
        QCOMPARE(w.Main()->StartPicture(), 0);
        QVERIFY(w.dialogs.boxes.size() == 1); // the right-button release clicked Start
    }

    void toolbar()
    {
        Window w;
        QTest::mouseClick(w.Ui()->sbtnHelp, Qt::LeftButton);
        QCOMPARE(w.shell.opened, QStringList{w.app.Paths().AppDir() + "Corvane.chm"});
        QTest::mouseClick(w.Ui()->sbtnSettings, Qt::LeftButton);
        QVERIFY(w.program->Settings()->isVisible());
        QVERIFY(!w.Main()->isEnabled());
        w.program->Settings()->close();
        QVERIFY(w.Main()->isEnabled());
        w.dialogs.folderToPick = "/";
        QTest::mouseClick(w.Ui()->bbtnBrowse, Qt::LeftButton);
        QCOMPARE(w.Ui()->edtOutputDir->text(), QStringLiteral("/"));
        w.dialogs.folderToPick = w.app.Path("out");
        QTest::mouseClick(w.Ui()->bbtnBrowse, Qt::LeftButton);
        QCOMPARE(w.Ui()->edtOutputDir->text(), w.app.Path("out/"));
    }

    // A real split from the window: the real front end over FFmpeg, a shipped profile.
    void realSplit()
    {
        Window w;
        QFile::remove(w.app.Paths().EncoderPath());
        QVERIFY(
            QFile::link(QStringLiteral(BRINDLE_APPDIR "/wmaspi.dll"), w.app.Paths().EncoderPath()));
        QVERIFY(w.Ready("0:0:2.5"));
        QVERIFY(QFile::copy(QStringLiteral(BRINDLE_APPDIR "/Profiles/MP4 (H.264 + AAC).apf"),
                            w.app.Path("Profiles/MP4 (H.264 + AAC).apf")));
        w.Ui()->cmbProfile->addItem("MP4 (H.264 + AAC)");
        w.Ui()->cmbProfile->setCurrentText("MP4 (H.264 + AAC)");
        w.Main()->cmbProfileChange();
        w.Ui()->edtStart->setText("0:0:0.5");
        w.Main()->imgStartClick();
        QCOMPARE(w.Main()->SplitState(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!w.Ui()->panProgress->isVisible(), 30000);
        QCOMPARE(w.dialogs.Texts(), QStringList{"Completed: Splitting is completed successfully."});
        QCOMPARE(w.Ui()->labTotalProgress->text(), QStringLiteral("100%"));
        QByteArray out;
        QCOMPARE(RunProgram("ffprobe",
                            {"-v", "error", "-select_streams", "v", "-count_frames",
                             "-show_entries", "stream=codec_name,nb_read_frames", "-of", "csv=p=0",
                             w.app.Path("out/trip_Clip1.mp4")},
                            &out),
                 0);
        QCOMPARE(out.trimmed(), QByteArray("h264,60")); // 2 s at 30 fps
    }

    // With BRINDLE_SCREENSHOTS set, the window is saved idle and during a job, to be looked at.
    void screenshots()
    {
        const QString folder = qEnvironmentVariable("BRINDLE_SCREENSHOTS");
        if (folder.isEmpty()) {
            QSKIP("BRINDLE_SCREENSHOTS is not set");
        }
        Window w("print time=0.9 \nhang\n");
        QVERIFY(w.Ready());
        QVERIFY(w.Main()->grab().save(folder + "/main-idle.png"));
        w.Main()->imgStartClick();
        QTRY_COMPARE(w.Ui()->labCurProgress->text(), QStringLiteral("45%"));
        QTest::qWait(1100);
        QVERIFY(w.Main()->grab().save(folder + "/main-job.png"));
        w.Main()->Job().Cancel();
    }
};

BRINDLE_TEST_CLASS(TestMainForm)
#include "tst_mainform.moc"
