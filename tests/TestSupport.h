#pragma once

#include "app/AppPaths.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

// A program folder on a temporary folder: "Profiles/" inside, and on request the scripted
// fake encoder installed as "wmaspi.dll".
class TempAppDir
{
public:
    TempAppDir();

    AppPaths Paths() const { return AppPaths(m_dir.path()); }
    QString Path(const QString& relative) const { return m_dir.path() + u'/' + relative; }

    // Writes a file (folders created as needed) and returns its full path.
    QString WriteFile(const QString& relative, const QByteArray& content) const;

    // Installs the fake encoder with this script (see tests/fake-encoder/main.cpp).
    void InstallFakeEncoder(const QByteArray& script) const;
    // The argument lists of the fake encoder's runs so far, in order.
    QList<QStringList> RecordedRuns() const;

private:
    QTemporaryDir m_dir;
};

// Several QtTest classes in one executable per subsystem.
namespace TestRegistry {
using Factory = std::function<std::unique_ptr<QObject>()>;
std::vector<Factory>& Factories();
int RunAll(int argc, char** argv);

template <typename T> struct Registrar
{
    Registrar()
    {
        Factories().push_back([] { return std::make_unique<T>(); });
    }
};
} // namespace TestRegistry

#define BRINDLE_TEST_CLASS(Class) static TestRegistry::Registrar<Class> registrar_##Class;

// Runs a program to its end (at most timeoutMs) and returns its exit code, -1 when it could
// not be run or did not end in time; output and error, when given, receive what it printed.
int RunProgram(const QString& program, const QStringList& args, QByteArray* output = nullptr,
               QByteArray* error = nullptr, int timeoutMs = 120000);

// Makes a small clip with FFmpeg's lavfi sources: a test picture and a tone. ffmpegArgs are the
// output options (codecs); returns the clip's path, or an empty text when FFmpeg failed.
QString MakeClip(const QString& path, double seconds, const QStringList& ffmpegArgs,
                 const QString& size = QStringLiteral("320x240"), int rate = 30);
