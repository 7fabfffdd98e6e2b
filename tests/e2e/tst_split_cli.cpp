// brindle-split from end to end: the real front end over the real FFmpeg.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <csignal>

namespace {

const QString ProgramDir = QStringLiteral(BRINDLE_APPDIR);

struct Probe
{
    QString format;
    QString video; // codec names; empty when the stream is missing
    QString audio;
    double videoSeconds = -1; // frames / frame rate
    double audioSeconds = -1;
};

Probe ProbeClip(const QString& path)
{
    QByteArray out;
    RunProgram("ffprobe",
               {"-v", "error", "-count_frames", "-show_entries",
                "stream=codec_type,codec_name,nb_read_frames,r_frame_rate,duration:format=format_"
                "name,duration",
                "-of", "json", path},
               &out);
    const QJsonObject root = QJsonDocument::fromJson(out).object();
    Probe p;
    p.format = root["format"].toObject()["format_name"].toString();
    const double formatSeconds = root["format"].toObject()["duration"].toString().toDouble();
    for (const QJsonValue& s : root["streams"].toArray()) {
        const QJsonObject stream = s.toObject();
        if (stream["codec_type"] == "video") {
            p.video = stream["codec_name"].toString();
            const QStringList rate = stream["r_frame_rate"].toString().split('/');
            const double fps = rate.size() == 2 ? rate[0].toDouble() / rate[1].toDouble() : 0;
            p.videoSeconds = fps > 0 ? stream["nb_read_frames"].toString().toDouble() / fps : -1;
        } else if (stream["codec_type"] == "audio") {
            p.audio = stream["codec_name"].toString();
            const QString d = stream["duration"].toString();
            p.audioSeconds = d.isEmpty() ? formatSeconds : d.toDouble();
        }
    }
    return p;
}

// A program folder of its own with the real front end and the shipped profiles.
struct Program
{
    TempAppDir app;
    QString split;

    Program()
    {
        split = app.Path("brindle-split");
        QFile::copy(ProgramDir + "/brindle-split", split);
        QFile::link(ProgramDir + "/wmaspi.dll", app.Paths().EncoderPath());
        for (const QString& name : QDir(ProgramDir + "/Profiles").entryList(QDir::Files)) {
            QFile::copy(ProgramDir + "/Profiles/" + name, app.Path("Profiles/" + name));
        }
        QDir().mkpath(app.Path("out"));
    }

    int Run(const QStringList& args, QByteArray* out = nullptr, QByteArray* err = nullptr) const
    {
        return RunProgram(split, args, out, err);
    }
};

} // namespace

class TestSplitCli : public QObject
{
    Q_OBJECT
    TempAppDir m_sources;
    QString m_avi;

private slots:
    void initTestCase()
    {
        // Every frame a key frame, so that even a stream copy cuts where it is told.
        m_avi = MakeClip(m_sources.Path("source clip.avi"), 4.0,
                         {"-c:v", "mpeg4", "-g", "1", "-q:v", "5", "-c:a", "libmp3lame"});
        QVERIFY(!m_avi.isEmpty());
    }

    void threeSections()
    {
        Program program;
        QByteArray out;
        QByteArray err;
        QCOMPARE(program.Run({"-p", "MP4 (H.264 + AAC)", "-n", "3", "-s", "0:0:0.5", "-e",
                              "0:0:3.5", "-o", program.app.Path("out"), "--overwrite", m_avi},
                             &out, &err),
                 0);
        QVERIFY2(out.contains("Splitting is completed successfully."), out.constData());
        QVERIFY2(err.contains("Section 3/3  current 100%  total 100%"), err.constData());
        const QStringList starts{"0.5", "1.5", "2.5"};
        for (int i = 1; i <= 3; ++i) {
            const QString clip =
                program.app.Path("out/source clip_Clip" + QString::number(i) + ".mp4");
            const Probe p = ProbeClip(clip);
            QCOMPARE(p.video, QStringLiteral("h264"));
            QCOMPARE(p.audio, QStringLiteral("aac"));
            QVERIFY2(qAbs(p.videoSeconds - 1.0) <= 1.0 / 30 + 0.05 + 1e-6,
                     qPrintable(clip + ": " + QString::number(p.videoSeconds)));
        }
    }

    void everyProfile_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("video");
        QTest::addColumn<QString>("audio");
        QTest::newRow("lossless") << "Settings of the source file."
                                  << ".avi"
                                  << "avi"
                                  << "mpeg4"
                                  << "mp3";
        QTest::newRow("mp4") << "MP4 (H.264 + AAC)"
                             << ".mp4"
                             << "mov,mp4,m4a,3gp,3g2,mj2"
                             << "h264"
                             << "aac";
        QTest::newRow("mkv") << "MKV (H.264 + AAC)"
                             << ".mkv"
                             << "matroska,webm"
                             << "h264"
                             << "aac";
        QTest::newRow("mov") << "MOV (H.264 + AAC)"
                             << ".mov"
                             << "mov,mp4,m4a,3gp,3g2,mj2"
                             << "h264"
                             << "aac";
        QTest::newRow("webm") << "WebM (VP9 + Opus)"
                              << ".webm"
                              << "matroska,webm"
                              << "vp9"
                              << "opus";
        QTest::newRow("avi") << "AVI (MPEG-4 + MP3)"
                             << ".avi"
                             << "avi"
                             << "mpeg4"
                             << "mp3";
        QTest::newRow("mpeg-2") << "MPEG-2 (DVD-style MPG)"
                                << ".mpg"
                                << "mpeg"
                                << "mpeg2video"
                                << "mp2";
        QTest::newRow("wmv") << "WMV (WMV2 + WMA2)"
                             << ".wmv"
                             << "asf"
                             << "wmv2"
                             << "wmav2";
        QTest::newRow("mp3") << "MP3 (audio only)"
                             << ".mp3"
                             << "mp3"
                             << ""
                             << "mp3";
    }
    void everyProfile()
    {
        QFETCH(QString, profile);
        QFETCH(QString, ext);
        QFETCH(QString, format);
        QFETCH(QString, video);
        QFETCH(QString, audio);
        Program program;
        QByteArray err;
        QCOMPARE(program.Run({"-p", profile, "-s", "0:0:1", "-e", "0:0:2.5", "-o",
                              program.app.Path("out"), "--overwrite", "-q", m_avi},
                             nullptr, &err),
                 0);
        const QString clip = program.app.Path("out/source clip_Clip1" + ext);
        QVERIFY2(QFile::exists(clip), err.constData());
        const Probe p = ProbeClip(clip);
        QCOMPARE(p.format, format);
        QCOMPARE(p.video, video);
        QCOMPARE(p.audio, audio);
        // One frame, plus the 0.05 s the start's rounding may move; sound may end one audio
        // frame (at most 2048 samples) later.
        if (!video.isEmpty()) {
            QVERIFY2(qAbs(p.videoSeconds - 1.5) <= 1.0 / 30 + 0.05 + 1e-6,
                     qPrintable(QString::number(p.videoSeconds)));
        } else {
            QVERIFY2(qAbs(p.audioSeconds - 1.5) <= 2048.0 / 44100 + 0.05,
                     qPrintable(QString::number(p.audioSeconds)));
        }
    }

    void exitCodes()
    {
        Program program;
        QByteArray err;
        // A failed check: caption and message, exit 1.
        QCOMPARE(program.Run({"-p", "MP4 (H.264 + AAC)", "-s", "0:0:9", "-o",
                              program.app.Path("out"), m_avi},
                             nullptr, &err),
                 1);
        QCOMPARE(err.trimmed(),
                 QByteArray("Invalid Start Time: Please varify the Start Time you selected."));
        QCOMPARE(program.Run({"-p", "No such profile", "-o", program.app.Path("out"), m_avi},
                             nullptr, &err),
                 1);
        QCOMPARE(err.trimmed(),
                 QByteArray("Invalid Output Path: Please select a valid output profile."));
        // Usage errors: 2.
        QCOMPARE(program.Run({}), 2);
        QCOMPARE(program.Run({"--set", "Nonexistent=1", "-p", "MP4 (H.264 + AAC)", m_avi}), 2);
        // No in the one-clip mode: 4, and the old clip stays.
        const QString old = program.app.WriteFile("out/source clip_Clip1.mp4", "old");
        QCOMPARE(program.Run({"-p", "MP4 (H.264 + AAC)", "-o", program.app.Path("out"),
                              "--no-overwrite", m_avi}),
                 4);
        QCOMPARE(QFile(old).size(), 3);
        // No encoder: 3.
        QFile::remove(program.app.Paths().EncoderPath());
        QCOMPARE(program.Run({"-p", "MP4 (H.264 + AAC)", "-o", program.app.Path("out"),
                              "--overwrite", m_avi},
                             nullptr, &err),
                 3);
        QVERIFY(err.contains("Error. Please re-install Brindle Video Splitter"));
    }

    void setAndDryRun()
    {
        Program program;
        QByteArray out;
        QCOMPARE(program.Run({"-p", "MP4 (H.264 + AAC)", "--set", "Video Size=Custom Size", "--set",
                              "Video Size=160x120", "--set", "Audio Bitrate=192k", "-n", "2", "-e",
                              "0:0:2", "-o", program.app.Path("out"), "--dry-run", m_avi},
                             &out),
                 0);
        const QStringList lines = QString::fromUtf8(out).trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1], program.app.Paths().EncoderPath() + " -y -i \"" + m_avi +
                               "\" -ss 1.0 -t 1 -c:v libx264 -s 160x120 -crf 23 -c:a aac -b:a 192k "
                               "-preset veryfast -pix_fmt yuv420p -movflags +faststart \"" +
                               program.app.Path("out/source clip_Clip2.mp4") + "\"");
        QVERIFY(!QFile::exists(program.app.Path("out/source clip_Clip1.mp4")));
    }

    // SIGINT stops the encoder, keeps the clip written so far and leaves nothing running.
    void interrupted()
    {
        Program program;
        const QString longer =
            MakeClip(m_sources.Path("long.avi"), 20.0,
                     {"-c:v", "mpeg4", "-q:v", "5", "-c:a", "libmp3lame"}, "640x480");
        QVERIFY(!longer.isEmpty());
        QProcess split;
        split.start(program.split, {"-p", "WebM (VP9 + Opus)", "--set", "Encoding Speed=Good", "-o",
                                    program.app.Path("out"), "--overwrite", longer});
        QVERIFY(split.waitForStarted());
        const QString clip = program.app.Path("out/long_Clip1.webm");
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += split.readAllStandardError()).contains("current"), 20000);
        QTRY_VERIFY2_WITH_TIMEOUT(QFile(clip).size() > 0,
                                  (err + split.readAllStandardError()).constData(), 20000);
        ::kill(pid_t(split.processId()), SIGINT);
        QVERIFY(split.waitForFinished(10000));
        QCOMPARE(split.exitCode(), 130);
        QVERIFY(QFile(clip).size() > 0);
        // No FFmpeg of ours is left writing the clip.
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
            QFile cmdline("/proc/" + pid + "/cmdline");
            if (cmdline.open(QIODevice::ReadOnly)) {
                QVERIFY2(!cmdline.readAll().contains(clip.toUtf8()), qPrintable(pid));
            }
        }
    }
};

BRINDLE_TEST_CLASS(TestSplitCli)
#include "tst_split_cli.moc"
