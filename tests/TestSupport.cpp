#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
