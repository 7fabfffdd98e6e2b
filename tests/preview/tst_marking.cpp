#include "../app/ProgramFixture.h"
#include "preview/Player.h"
#include "preview/RangeMarks.h"
#include "preview/TrackBar.h"
#include "preview/VideoView.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

namespace {

// A clip made once per run and shared by the tests that need its length.
QString Clip(double seconds)
{
    static TempAppDir dir;
    const QString path = dir.Path(QStringLiteral("clip%1.mp4").arg(seconds));
    if (!QFile::exists(path)) {
        MakeClip(path, seconds,
                 {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "30",
                  "-c:a", "aac"},
                 "160x120");
    }
    return path;
}

struct Loaded : ProgramFixture
{
    explicit Loaded(double seconds = 60.0)
    {
        Main()->LoadSource(Clip(seconds));
        ok = QTest::qWaitFor([this] { return Main()->PreviewPlayer()->DurationMs() > 0; }, 10000);
        emit Ui()->tkbProgress->timerTick(); // the bar's first tick after playback starts
        Main()->PreviewPlayer()->Pause();
    }
    bool ok = false;
    TrackBar* Bar() const { return Ui()->tkbProgress; }
    void At(qint64 second) const { Bar()->SetPosition(second); }
    void Type(QLineEdit* edit, const QString& text) const
    {
        edit->setFocus();
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

void Drop(TMainForm* target, const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& p : paths) {
        urls += QUrl::fromLocalFile(p);
    }
    target->FilesDropped(urls);
}

} // namespace

class TestMarking : public QObject
{
    Q_OBJECT
private slots:
    void placement_data()
    {
        QTest::addColumn<qint64>("sel");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<int>("left");
        QTest::newRow("second 75 of 300") << qint64(75) << qint64(300) << 113;
        QTest::newRow("start") << qint64(0) << qint64(300) << 39;
        QTest::newRow("end") << qint64(300) << qint64(300) << 335;
        QTest::newRow("beyond the end") << qint64(62) << qint64(61) << 340;
        QTest::newRow("negative") << qint64(-5) << qint64(60) << 14;
        QTest::newRow("half to even") << qint64(1) << qint64(16) << 58; // 57.5
        QTest::newRow("no duration, mark 0") << qint64(0) << qint64(0) << 39;
        QTest::newRow("no duration, mark above 0") << qint64(5) << qint64(0) << 335;
    }
    void placement()
    {
        QFETCH(qint64, sel);
        QFETCH(qint64, max);
        QFETCH(int, left);
        QCOMPARE(StartMarkerLeft(sel, max), left);
        QCOMPARE(EndMarkerLeft(sel, max, 60), left - 60);
    }

    void rows()
    {
        QCOMPARE(EndMarkerTop(100, 50, 289, 151, 50), 289); // apart
        QCOMPARE(EndMarkerTop(100, 50, 289, 150, 50), 299); // just touching
        QCOMPARE(EndMarkerTop(100, 50, 289, 120, 50), 299); // overlapping
        QCOMPARE(EndMarkerTop(200, 50, 289, 100, 50), 289); // end left of start, apart
    }

    void loadAndRuler()
    {
        Loaded f(61.5);
        QVERIFY(f.ok);
        QCOMPARE(f.Ui()->labMiddle->text(), QStringLiteral("00:00:30"));
        QCOMPARE(f.Ui()->labRight->text(), QStringLiteral("00:01:01"));
        QCOMPARE(f.Bar()->Max(), 61);
        QCOMPARE(f.Bar()->Frequency(), 60);
        QVERIFY(!f.Ui()->panbanner->isVisible());
        QVERIFY(f.Main()->SourceLoaded());
        QCOMPARE(f.Main()->PreviewPlayer()->DurationMs(), 61500);
    }

    void picture()
    {
        Loaded f;
        QVERIFY(f.ok);
        VideoView* view = f.Ui()->VideoWindow;
        QVERIFY(QTest::qWaitFor([view] { return !view->Frame().isNull(); }, 5000));
        const QImage shot = view->grab().toImage();
        int bright = 0;
        for (int y = 0; y < shot.height(); y += 8) {
            for (int x = 0; x < shot.width(); x += 8) {
                bright += qGray(shot.pixel(x, y)) > 40;
            }
        }
        QVERIFY2(bright > 100, qPrintable(QString::number(bright)));
    }

    void playPauseStopSeek()
    {
        Loaded f;
        QVERIFY(f.ok);
        Player* p = f.Main()->PreviewPlayer();
        QTest::mouseClick(f.Ui()->sbtnPlayPreview, Qt::LeftButton);
        QTRY_VERIFY(p->IsPlaying());
        QTRY_VERIFY(f.Bar()->TimerActive());
        QTest::mouseClick(f.Ui()->sbtnPausePreview, Qt::LeftButton);
        QTRY_VERIFY(!p->IsPlaying());
        QVERIFY(!f.Bar()->TimerActive());
        // Releasing the thumb seeks to the second under it.
        const int x = f.Bar()->XOf(30);
        QTest::mousePress(f.Bar(), Qt::LeftButton, {}, {x, 7});
        QVERIFY(f.Bar()->IsDragging());
        QTest::mouseRelease(f.Bar(), Qt::LeftButton, {}, {x, 7});
        QCOMPARE(f.Bar()->Position(), 30);
        QTRY_VERIFY(qAbs(p->Position() - 30.0) < 0.1);
        QTest::mouseClick(f.Ui()->sbtnStopPreview, Qt::LeftButton);
        QTRY_VERIFY(p->Position() < 0.1);
        QVERIFY(!p->IsPlaying());
    }

    void notLoaded()
    {
        ProgramFixture f;
        f.Ui()->edtStart->setText("0:0:5");
        f.Ui()->edtStart->setFocus();
        QTest::keyClick(f.Ui()->edtStart, Qt::Key_Return);
        QCOMPARE(f.Ui()->edtStart->text(), QStringLiteral("0:0:5"));
        QVERIFY(!f.Ui()->labLength->isVisible());
        QTest::mouseClick(f.Ui()->sbtnSelStart, Qt::LeftButton);
        QVERIFY(!f.Ui()->labStart->isVisible());
        QTest::mouseClick(f.Ui()->edtSectionQty, Qt::LeftButton);
        QVERIFY(f.Ui()->rdbEqual->isChecked());
    }

    void buttonMarks()
    {
        Loaded f;
        QVERIFY(f.ok);
        f.At(20);
        QTest::mouseClick(f.Ui()->sbtnSelEnd, Qt::LeftButton); // end before any start
        QCOMPARE(f.Ui()->labLength->text(),
                 QStringLiteral("The length of the marked rang is 00:00:20"));
        QCOMPARE(f.Ui()->edtEnd->text(), QStringLiteral("00:00:20"));
        QCOMPARE(f.Ui()->labEnd->text(), QStringLiteral("00:00:20 ]"));
        QCOMPARE(f.Ui()->labEnd->x() + f.Ui()->labEnd->width(), StartMarkerLeft(20, 60));
        f.At(20);
        QTest::mouseClick(f.Ui()->sbtnSelStart, Qt::LeftButton); // the same second
        QCOMPARE(f.Bar()->SelStart(), 20);
        QCOMPARE(f.Ui()->labStart->text(), QStringLiteral("[ 00:00:20"));
        QCOMPARE(f.Ui()->labLength->text(),
                 QStringLiteral("The End Time should be later than the Start Time."));
        QCOMPARE(f.Ui()->labStart->y(), 289);
        QCOMPARE(f.Ui()->labEnd->y(), 299);
        f.At(55);
        QTest::mouseClick(f.Ui()->sbtnSelEnd, Qt::LeftButton);
        QCOMPARE(f.Ui()->labEnd->y(), 289);
        QCOMPARE(f.Ui()->labLength->text(),
                 QStringLiteral("The length of the marked rang is 00:00:35"));
        QVERIFY(f.Ui()->labStart->isVisible() && f.Ui()->labEnd->isVisible());
        VideoView* view = f.Ui()->VideoWindow;
        QVERIFY(QTest::qWaitFor([view] { return !view->Frame().isNull(); }, 5000));
        ProgramFixture::Screenshot(f.Main(), "main-marked");

        QTest::mouseClick(f.Ui()->sbtnErase, Qt::LeftButton);
        QCOMPARE(f.Bar()->SelStart(), 0);
        QCOMPARE(f.Bar()->SelEnd(), 0);
        QCOMPARE(f.Ui()->edtStart->text(), QStringLiteral("00:00:00"));
        QCOMPARE(f.Ui()->edtEnd->text(), QStringLiteral("00:00:00"));
        QVERIFY(!f.Ui()->labStart->isVisible() && !f.Ui()->labEnd->isVisible());
        QCOMPARE(f.Ui()->labLength->text(),
                 QStringLiteral("The length of the marked rang is 00:00:35"));
    }

    void typedMarks()
    {
        Loaded f;
        QVERIFY(f.ok);
        f.Type(f.Ui()->edtStart, "0:0:5.7");
        QCOMPARE(f.Bar()->SelStart(), 6);
        QCOMPARE(f.Ui()->edtStart->text(), QStringLiteral("00:00:05"));
        f.Ui()->edtEnd->setFocus(); // leaving applies the normal form: second 5
        QCOMPARE(f.Bar()->SelStart(), 5);

        f.Type(f.Ui()->edtEnd, "00:05:00"); // beyond the 60 s video
        QCOMPARE(f.Bar()->SelEnd(), 60);
        QCOMPARE(f.Ui()->edtEnd->text(), QStringLiteral("00:05:00"));
        QCOMPARE(f.Ui()->labEnd->text(), QStringLiteral("00:05:00 ]"));
        QCOMPARE(f.Ui()->labEnd->x() + f.Ui()->labEnd->width(), 335);

        f.Type(f.Ui()->edtEnd, "0:0:10.6"); // the length follows the typed end
        QCOMPARE(f.Bar()->SelEnd(), 11);
        f.Type(f.Ui()->edtStart, "0:0:3");
        f.Type(f.Ui()->edtEnd, "0:0:10.6");
        QCOMPARE(f.Ui()->labLength->text(),
                 QStringLiteral("The length of the marked rang is 00:00:07"));

        for (const QString& junk : {QStringLiteral("abc"), QStringLiteral("0:0:-1")}) {
            f.Type(f.Ui()->edtStart, junk);
            QCOMPARE(f.Bar()->SelStart(), 3);
            QCOMPARE(f.Ui()->edtStart->text(), junk);
        }
        f.Type(f.Ui()->edtStart, "0:0:-5");
        QCOMPARE(f.Bar()->SelStart(), -5);
        QCOMPARE(f.Ui()->edtStart->text(), QStringLiteral("00:00:-05"));
        QVERIFY(f.Ui()->labStart->x() < 39);
    }

    void keyboard()
    {
        Loaded f;
        QVERIFY(f.ok);
        f.At(12);
        f.Ui()->cmbProfile->setFocus();
        QTest::keyClick(f.Main(), Qt::Key_BracketLeft);
        QCOMPARE(f.Bar()->SelStart(), 12);
        QTest::keyClick(f.Main(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(f.Bar()->Position(), 13);
        QTest::keyClick(f.Main(), Qt::Key_BracketRight);
        QCOMPARE(f.Bar()->SelEnd(), 13);
        // In an edit the same keys are text.
        f.Ui()->edtSource->setFocus();
        QTest::keyClick(f.Ui()->edtSource, Qt::Key_BracketLeft);
        QVERIFY(f.Ui()->edtSource->text().endsWith('['));
        QCOMPARE(f.Bar()->SelStart(), 12);
    }

    void drops()
    {
        ProgramFixture f;
        QVERIFY(f.Main()->acceptDrops());
        TempAppDir files;
        const QString first = files.WriteFile("Clip.AVI", "v");
        const QString second = files.WriteFile("b.mp4", "v");
        Drop(f.Main(), {files.WriteFile("clip.mkv", "v")});
        QVERIFY(!f.Main()->SourceLoaded());
        QDir().mkpath(files.Path("folder.avi"));
        Drop(f.Main(), {files.Path("folder.avi")});
        Drop(f.Main(), {files.Path("deleted.avi")});
        QVERIFY(!f.Main()->SourceLoaded());
        Drop(f.Main(), {first, second, files.Path("c.avi")});
        QCOMPARE(f.Ui()->edtSource->text(), first);
        // During a job drops are ignored; afterwards they work again.
        f.Main()->BeginSplitUi();
        Drop(f.Main(), {second});
        QCOMPARE(f.Ui()->edtSource->text(), first);
        f.Main()->EndSplitUi();
        Drop(f.Main(), {second});
        QCOMPARE(f.Ui()->edtSource->text(), second);
    }

    void reloadResets()
    {
        Loaded f;
        QVERIFY(f.ok);
        f.Type(f.Ui()->edtStart, "0:0:5");
        f.Type(f.Ui()->edtEnd, "0:0:9");
        f.Main()->LoadSource(Clip(60.0));
        QCOMPARE(f.Ui()->edtStart->text(), QStringLiteral("00:00:00"));
        QCOMPARE(f.Ui()->edtEnd->text(), QStringLiteral("00:00:00"));
        QCOMPARE(f.Bar()->SelStart(), 0);
        QCOMPARE(f.Bar()->SelEnd(), 0);
        QVERIFY(!f.Ui()->labStart->isVisible() && !f.Ui()->labLength->isVisible());
    }
};

BRINDLE_TEST_CLASS(TestMarking)
#include "tst_marking.moc"
