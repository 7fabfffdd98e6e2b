// The encoder front end ("wmaspi.dll") over the real FFmpeg.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace {

const QString FrontEnd = QStringLiteral(BRINDLE_APPDIR "/wmaspi.dll");

bool AnyProcessMentions(const QString& text)
{
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(text.toUtf8())) {
            return true;
        }
    }
    return false;
}

} // namespace

class TestFrontEnd : public QObject
{
    Q_OBJECT
    TempAppDir m_dir;
    QString m_source;

private slots:
    void initTestCase()
    {
        m_source = MakeClip(m_dir.Path("src.avi"), 3.0, {"-c:v", "mpeg4", "-c:a", "libmp3lame"});
        QVERIFY(!m_source.isEmpty());
    }

    // The contract's command line: progress as "time=<seconds> ", FFmpeg's exit status.
    void contractForm()
    {
        QByteArray out;
        QByteArray err;
        const QString clip = m_dir.Path("out.mkv");
        QCOMPARE(RunProgram(FrontEnd,
                            {"-y", "-i", m_source, "-ss", "1.0", "-t", "1.5", "-c:v", "libx264",
                             "-preset", "ultrafast", clip},
                            &out, &err),
                 0);
        QVERIFY2(out.startsWith("time="), out.constData());
        QList<QByteArray> reports = out.split('\n');
        reports.removeAll(QByteArray());
        for (const QByteArray& r : reports) {
            QVERIFY2(r.startsWith("time=") && r.endsWith(' ') && !r.contains('-'), r.constData());
        }
        QVERIFY(reports.last().startsWith("time=1.5"));
        QVERIFY(!err.contains("time=")); // FFmpeg's own status line is left out
        // A failing encode returns FFmpeg's status and its message.
        QVERIFY(RunProgram(FrontEnd,
                           {"-y", "-i", m_dir.Path("none.avi"), "-ss", "0.0", "-t", "1", clip},
                           &out, &err) != 0);
        QVERIFY(err.contains("No such file or directory"));
    }

    void otherFormsUnchanged()
    {
        QByteArray out;
        QCOMPARE(RunProgram(FrontEnd, {"-version"}, &out), 0);
        QVERIFY(out.startsWith("ffmpeg version"));
    }

    void ffmpegMissing()
    {
        const QString copy = m_dir.Path("alone/wmaspi.dll");
        QDir().mkpath(m_dir.Path("alone"));
        QVERIFY(QFile::copy(FrontEnd, copy));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", m_dir.Path("alone"));
        p.setProcessEnvironment(env);
        p.start(copy, {"-version"});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 127);
        QVERIFY(p.readAllStandardError().contains("ffmpeg was not found"));
    }

    // Killed alone, the front end takes FFmpeg with it.
    void killedAlone()
    {
        const QString longer = MakeClip(m_dir.Path("long.avi"), 20.0,
                                        {"-c:v", "mpeg4", "-c:a", "libmp3lame"}, "640x480");
        QVERIFY(!longer.isEmpty());
        const QString clip = m_dir.Path("killed.webm");
        QProcess p;
        p.start(FrontEnd, {"-y", "-i", longer, "-ss", "0.0", "-t", "20", "-c:v", "libvpx-vp9",
                           "-deadline", "good", clip});
        QVERIFY(p.waitForStarted());
        QByteArray seen;
        QTRY_VERIFY2_WITH_TIMEOUT((seen += p.readAllStandardOutput()).contains("time="),
                                  (seen + p.readAllStandardError()).constData(), 20000);
        QVERIFY(AnyProcessMentions(clip));
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(!AnyProcessMentions(clip), 5000);
    }
};

BRINDLE_TEST_CLASS(TestFrontEnd)
#include "tst_front_end.moc"
