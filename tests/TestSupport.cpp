#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

TempAppDir::TempAppDir()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("Profiles"));
}

QString TempAppDir::WriteFile(const QString& relative, const QByteArray& content) const
{
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    file.write(content);
    return path;
}

void TempAppDir::InstallFakeEncoder(const QByteArray& script) const
{
    const QString encoder = Paths().EncoderPath();
    QFile::remove(encoder);
    if (!QFile::link(QStringLiteral(BRINDLE_FAKE_ENCODER), encoder)) {
        qFatal("cannot install the fake encoder");
    }
    WriteFile(QStringLiteral("wmaspi.dll.script"), script);
    QFile::remove(encoder + QStringLiteral(".args"));
}

QList<QStringList> TempAppDir::RecordedRuns() const
{
    QList<QStringList> runs;
    QFile file(Paths().EncoderPath() + QStringLiteral(".args"));
    if (!file.open(QIODevice::ReadOnly)) {
        return runs;
    }
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.isEmpty()) {
            runs += QString::fromUtf8(line).split(QChar(0x1f));
        }
    }
    return runs;
}

namespace TestRegistry {

std::vector<Factory>& Factories()
{
    static std::vector<Factory> factories;
    return factories;
}

int RunAll(int argc, char** argv)
{
    int status = 0;
    for (const Factory& make : Factories()) {
        const auto test = make();
        status |= QTest::qExec(test.get(), argc, argv);
    }
    return status;
}

} // namespace TestRegistry

int RunProgram(const QString& program, const QStringList& args, QByteArray* output,
               QByteArray* error, int timeoutMs)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(10000)) {
        return -1;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output) {
        *output = process.readAllStandardOutput();
    }
    if (error) {
        *error = process.readAllStandardError();
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString MakeClip(const QString& path, double seconds, const QStringList& ffmpegArgs,
                 const QString& size, int rate)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString d = QString::number(seconds);
    QStringList args{
        "-v",
        "error",
        "-y",
        "-f",
        "lavfi",
        "-i",
        QStringLiteral("testsrc2=size=%1:rate=%2:duration=%3").arg(size).arg(rate).arg(d),
        "-f",
        "lavfi",
        "-i",
        QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(d)};
    args += ffmpegArgs;
    args += {"-shortest", path};
    QByteArray error;
    if (RunProgram("ffmpeg", args, nullptr, &error) != 0) {
        qWarning("ffmpeg failed: %s", error.constData());
        return {};
    }
    return path;
}
