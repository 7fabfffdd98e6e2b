#include "TestSupport.h"
#include "split/EncoderRun.h"
#include "split/Progress.h"
#include "split/SplitJob.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <csignal>

namespace {

class ScriptedHost : public SplitHost
{
public:
    QList<bool> answers;
    QStringList asked;
    bool ConfirmOverwrite(const QString& path) override
    {
        asked += path;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
};

// A job over the fake encoder with a 60-second source, the range 0 to `end`.
struct JobFixture
{
    TempAppDir app;
    ScriptedHost host;
    SplitJob job{app.Paths(), &host};
    SplitRequest request;

    explicit JobFixture(const QByteArray& script, const QString& end = "0:0:30")
    {
        if (!script.isNull()) {
            app.InstallFakeEncoder(script);
        }
        request.sourcePath = app.WriteFile("in/trip.avi", "video");
        request.startText = "0:0:0";
        request.endText = end;
        request.sectionQtyText = "3";
        request.equalSections = true;
        request.profileName = "p";
        request.profileArgs = " -f avi";
        request.outputExt = ".avi";
        request.outputDirText = app.Path("out");
        request.sourceDurationMs = 60000;
        app.WriteFile("Profiles/p.apf", "[Main]\n");
        QDir().mkpath(request.outputDirText);
    }

    QString Clip(int i) const { return app.Path("out/trip_Clip" + QString::number(i) + ".avi"); }
};

bool ProcessAlive(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

} // namespace

class TestRunner : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<SplitJob::Outcome>(); }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("2.5") << 2.5 << qint64(2);
        QTest::newRow("3.5") << 3.5 << qint64(4);
        QTest::newRow("-2.5") << -2.5 << qint64(-2);
        QTest::newRow("2.51") << 2.51 << qint64(3);
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QCOMPARE(RoundHalfEven(value), rounded);
    }

    void applyChunk_data()
    {
        QTest::addColumn<double>("last");
        QTest::addColumn<int>("currentBefore");
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<double>("duration");
        QTest::addColumn<int>("i");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("lastAfter");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("total");
        // 3 sections of 60 s, section 2 at 30 s: current 50 %, total (50 + 100) / 3 = 50 %.
        QTest::newRow("worked example") << 0.0 << 0 << QByteArray("frame=1 time=30.00 bitrate")
                                        << 60.0 << 2 << 3 << 30.0 << 50 << 50;
        QTest::newRow("first time only")
            << 0.0 << 0 << QByteArray("time=6 x time=30 ") << 60.0 << 1 << 1 << 6.0 << 10 << 10;
        QTest::newRow("any character after time")
            << 0.0 << 0 << QByteArray("time:12 ") << 60.0 << 1 << 1 << 12.0 << 20 << 20;
        QTest::newRow("value cut off by the chunk end")
            << 0.0 << 0 << QByteArray("time=12.5") << 60.0 << 1 << 1 << 0.0 << 0 << 0;
        QTest::newRow("clock text does not read")
            << 0.0 << 0 << QByteArray("time=00:00:04.00 bitrate") << 60.0 << 1 << 1 << 0.0 << 0
            << 0;
        QTest::newRow("smaller value kept out")
            << 30.0 << 50 << QByteArray("time=20 ") << 60.0 << 1 << 2 << 30.0 << 50 << 25;
        QTest::newRow("equal value kept out")
            << 30.0 << 50 << QByteArray("time=30 ") << 60.0 << 1 << 1 << 30.0 << 50 << 50;
        QTest::newRow("10^9 kept out")
            << 1.0 << 2 << QByteArray("time=1000000000 ") << 60.0 << 1 << 1 << 1.0 << 2 << 2;
        QTest::newRow("past the section end held at 100")
            << 0.0 << 0 << QByteArray("time=90 ") << 60.0 << 3 << 3 << 90.0 << 100 << 100;
        QTest::newRow("no time: total from finished sections")
            << 0.0 << 0 << QByteArray("Input #0, avi") << 60.0 << 3 << 3 << 0.0 << 0 << 67;
        QTest::newRow("zero duration keeps the bar")
            << 0.0 << 40 << QByteArray("time=5 ") << 0.0 << 1 << 1 << 5.0 << 40 << 40;
        QTest::newRow("text after a zero byte ignored")
            << 0.0 << 0 << QByteArray("abc\0time=30 ", 13) << 60.0 << 1 << 1 << 0.0 << 0 << 0;
        QTest::newRow("half to even")
            << 0.0 << 0 << QByteArray("time=1.5 ") << 60.0 << 1 << 1 << 1.5 << 2 << 2;
        QTest::newRow("total half to even")
            << 0.0 << 0 << QByteArray("time=3 ") << 60.0 << 1 << 2 << 3.0 << 5 << 2;
    }
    void applyChunk()
    {
        QFETCH(double, last);
        QFETCH(int, currentBefore);
        QFETCH(QByteArray, chunk);
        QFETCH(double, duration);
        QFETCH(int, i);
        QFETCH(int, n);
        QFETCH(double, lastAfter);
        QFETCH(int, current);
        QFETCH(int, total);
        const ChunkProgress after = ApplyChunk({last, currentBefore, 0}, chunk, duration, i, n);
        QCOMPARE(after.lastEncoderTime, lastAfter);
        QCOMPARE(after.current, current);
        QCOMPARE(after.total, total);
    }

    void remaining_data()
    {
        QTest::addColumn<qint64>("elapsed");
        QTest::addColumn<int>("percent");
        QTest::addColumn<qint64>("remaining");
        QTest::newRow("30 s at 25 %") << qint64(30) << 25 << qint64(90);
        QTest::newRow("nothing yet") << qint64(30) << 0 << qint64(0);
        QTest::newRow("done") << qint64(30) << 100 << qint64(0);
        QTest::newRow("half to even") << qint64(1) << 40 << qint64(2); // 1.5
    }
    void remaining()
    {
        QFETCH(qint64, elapsed);
        QFETCH(int, percent);
        QFETCH(qint64, remaining);
        QCOMPARE(RemainingSeconds(elapsed, percent), remaining);
    }

    // Output arrives in pieces of at most 4095 bytes, and a "time" cut by a piece's end is lost.
    void chunksOf4095()
    {
        TempAppDir app;
        app.InstallFakeEncoder("print " + QByteArray(4093, 'a') + "time=5 \n");
        EncoderRun run;
        QList<QByteArray> chunks;
        connect(&run, &EncoderRun::chunk, this, [&](const QByteArray& c) { chunks += c; });
        QSignalSpy ended(&run, &EncoderRun::outputEnded);
        run.Start(app.Paths().EncoderPath(), {});
        QVERIFY(ended.wait(5000));
        QVERIFY(chunks.size() >= 2);
        for (const QByteArray& c : chunks) {
            QVERIFY(c.size() <= EncoderRun::ChunkSize);
        }
        QCOMPARE(chunks.join(), QByteArray(4093, 'a') + "time=5 ");
        ChunkProgress p;
        for (const QByteArray& c : chunks) {
            p = ApplyChunk(p, c, 10, 1, 1);
        }
        QCOMPARE(p.current, chunks.first().size() == 4095 ? 0 : 50);
    }

    void wholeJob()
    {
        JobFixture f(
            "print frame=1\nsleep 30\nprint time=5.0 \nsleep 30\nprint time=10.00 \ntouch\n");
        QList<QPair<int, int>> seen;
        QStringList labels;
        connect(&f.job, &SplitJob::progress, this, [&](int c, int t) { seen += {c, t}; });
        connect(&f.job, &SplitJob::sectionStarted, this,
                [&](const SectionPlan& s, qint32) { labels += s.label; });
        QSignalSpy finished(&f.job, &SplitJob::finished);
        QCOMPARE(f.job.Start(f.request), std::nullopt);
        QCOMPARE(f.job.State(), 1);
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().value<SplitJob::Outcome>(), SplitJob::Outcome::Completed);
        QCOMPARE(f.job.State(), 0);
        QCOMPARE(labels, (QStringList{"Splitting: Section 1", "Splitting: Section 2",
                                      "Splitting: Section 3"}));
        // Sections of 10 s: 50 % then 100 % of each, the total climbing to 100.
        QVERIFY(seen.contains(qMakePair(50, 17)));
        QVERIFY(seen.contains(qMakePair(100, 67)));
        QCOMPARE(seen.last(), qMakePair(100, 100));
        const auto runs = f.app.RecordedRuns();
        QCOMPARE(runs.size(), 3);
        QCOMPARE(runs[1], (QStringList{"-y", "-i", f.request.sourcePath, "-ss", "10.0", "-t", "10",
                                       "-f", "avi", f.Clip(2)}));
        QVERIFY(f.host.asked.isEmpty());
    }

    void failingEncoderStillGoesOn()
    {
        JobFixture f("print Unknown encoder\nexit 1\n");
        QSignalSpy finished(&f.job, &SplitJob::finished);
        QSignalSpy ended(&f.job, &SplitJob::sectionEnded);
        f.job.Start(f.request);
        QVERIFY(finished.wait(10000));
        QCOMPARE(ended.size(), 3);
        QCOMPARE(finished.first().first().value<SplitJob::Outcome>(), SplitJob::Outcome::Completed);
    }

    void missingEncoder()
    {
        JobFixture f(QByteArray{});
        QSignalSpy finished(&f.job, &SplitJob::finished);
        f.job.Start(f.request);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first().first().value<SplitJob::Outcome>(), SplitJob::Outcome::Failed);
        QCOMPARE(SplitJob::FailureMessage(),
                 QStringLiteral("Error. Please re-install Brindle Video Splitter"));
        QCOMPARE(f.job.State(), 0);
    }

    void cancelWhileSilent()
    {
        JobFixture f("hang\n");
        QSignalSpy started(&f.job, &SplitJob::sectionStarted);
        QSignalSpy finished(&f.job, &SplitJob::finished);
        f.job.Start(f.request);
        QVERIFY(started.wait(5000));
        QTRY_COMPARE(f.app.RecordedRuns().size(), 1);
        QElapsedTimer clock;
        clock.start();
        f.job.Cancel();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().value<SplitJob::Outcome>(), SplitJob::Outcome::Cancelled);
        QVERIFY(clock.elapsed() < 100);
        QCOMPARE(f.job.State(), 0);
        QTest::qWait(300);
        QCOMPARE(f.app.RecordedRuns().size(), 1); // no further section
    }

    // An encoder that ignores SIGTERM is killed two seconds later, without waiting for it.
    void hangingEncoderKilled()
    {
        TempAppDir app;
        app.InstallFakeEncoder("ignore-term\nprint ready\nhang\n");
        auto* run = new EncoderRun;
        QSignalSpy chunk(run, &EncoderRun::chunk);
        run->Start(app.Paths().EncoderPath(), {});
        QVERIFY(chunk.wait(5000));
        const qint64 pid = run->ProcessId();
        QVERIFY(ProcessAlive(pid));
        QPointer<EncoderRun> guard(run);
        run->Stop();
        QTest::qWait(500);
        QVERIFY(guard);
        QVERIFY(run->IsRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!guard, 5000); // gone once the process is
    }

    void existingClips()
    {
        // Equal sections: No skips clips 1 and 3; only section 2 runs.
        JobFixture f("exit 0\n");
        f.app.WriteFile("out/trip_Clip1.avi", "old");
        f.app.WriteFile("out/trip_Clip3.avi", "old");
        QSignalSpy finished(&f.job, &SplitJob::finished);
        f.job.Start(f.request);
        QVERIFY(finished.wait(5000));
        QCOMPARE(f.host.asked, (QStringList{f.Clip(1), f.Clip(3)}));
        const auto runs = f.app.RecordedRuns();
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].last(), f.Clip(2));
        QCOMPARE(finished.first().first().value<SplitJob::Outcome>(), SplitJob::Outcome::Completed);
    }

    void existingClipsYesAndOverwrite()
    {
        JobFixture f("exit 0\n");
        f.app.WriteFile("out/trip_Clip1.avi", "old");
        f.host.answers = {true};
        QSignalSpy finished(&f.job, &SplitJob::finished);
        f.job.Start(f.request);
        QVERIFY(finished.wait(5000));
        QCOMPARE(f.app.RecordedRuns().size(), 3);

        JobFixture g("exit 0\n");
        g.app.WriteFile("out/trip_Clip2.avi", "old");
        g.request.overwrite = true;
        QSignalSpy finished2(&g.job, &SplitJob::finished);
        g.job.Start(g.request);
        QVERIFY(finished2.wait(5000));
        QVERIFY(g.host.asked.isEmpty());
        QCOMPARE(g.app.RecordedRuns().size(), 3);
    }

    void oneClipDeclined()
    {
        JobFixture f("exit 0\n");
        f.request.equalSections = false;
        f.app.WriteFile("out/trip_Clip1.avi", "old");
        QSignalSpy finished(&f.job, &SplitJob::finished);
        f.job.Start(f.request);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first().first().value<SplitJob::Outcome>(), SplitJob::Outcome::Declined);
        QCOMPARE(f.app.RecordedRuns().size(), 0);
        QCOMPARE(QFile(f.Clip(1)).size(), 3); // the old clip is untouched
    }

    void everySectionDeclinedStillCompletes()
    {
        JobFixture f("exit 0\n");
        for (int i = 1; i <= 3; ++i) {
            f.app.WriteFile("out/trip_Clip" + QString::number(i) + ".avi", "old");
        }
        QSignalSpy finished(&f.job, &SplitJob::finished);
        f.job.Start(f.request);
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first().first().value<SplitJob::Outcome>(), SplitJob::Outcome::Completed);
        QCOMPARE(f.app.RecordedRuns().size(), 0);
    }

    void zeroSectionsCompleteAtOnce()
    {
        JobFixture f("exit 0\n");
        f.request.sectionQtyText = "0";
        QSignalSpy begun(&f.job, &SplitJob::begun);
        QSignalSpy finished(&f.job, &SplitJob::finished);
        QCOMPARE(f.job.Start(f.request), std::nullopt);
        QCOMPARE(begun.size(), 1);
        QVERIFY(finished.wait(5000));
        QCOMPARE(f.app.RecordedRuns().size(), 0);
    }

    void failedCheckChangesNothing()
    {
        JobFixture f("exit 0\n");
        f.request.endText = "0:0:0";
        QSignalSpy begun(&f.job, &SplitJob::begun);
        const auto failure = f.job.Start(f.request);
        QVERIFY(failure.has_value());
        QCOMPARE(failure->caption, QStringLiteral("Invalid End Time"));
        QCOMPARE(begun.size(), 0);
        QCOMPARE(f.job.State(), 0);
    }
};

BRINDLE_TEST_CLASS(TestRunner)
#include "tst_runner.moc"
