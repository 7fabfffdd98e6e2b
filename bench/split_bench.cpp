// Measures, in one run:
//  1. a 10-section split by brindle-split against the same ten FFmpeg runs started directly
//     (target: 1.02 or less), and against the same split with -ss after -i (output seeking);
//  2. the longest stall of the event loop while a split job runs in-process (target: under
//     20 ms).
// Usage: split_bench [seconds-of-source (default 60) [rounds (default 3)]]. Needs build/Brindle and
// ffmpeg.
#include "app/AppPaths.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileStore.h"
#include "split/EncoderContract.h"
#include "split/SplitJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <clocale>
#include <cstdio>

namespace {

const QString Profile = QStringLiteral("MP4 (H.264 + AAC)");
constexpr int Sections = 10;

bool Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, args);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

double Seconds(const std::function<bool()>& work)
{
    QElapsedTimer t;
    t.start();
    if (!work()) {
        std::fprintf(stderr, "a run failed\n");
        std::exit(1);
    }
    return double(t.nsecsElapsed()) / 1e9;
}

class NoQuestions : public SplitHost
{
public:
    bool ConfirmOverwrite(const QString&) override { return true; }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const double length = argc > 1 ? QString(argv[1]).toDouble() : 60.0;
    const AppPaths paths(QStringLiteral(BRINDLE_APPDIR));
    QTemporaryDir dir;
    const QString source = dir.filePath("source.avi");
    const QString d = QString::number(length);
    if (!Run("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                        "testsrc2=size=1280x720:rate=30:duration=" + d, "-f", "lavfi", "-i",
                        "sine=duration=" + d, "-c:v", "mpeg4", "-q:v", "4", "-c:a", "libmp3lame",
                        "-shortest", source})) {
        return 1;
    }
    ProfileStore store;
    LoadProfile(paths.ProfilePath(Profile), store);
    QString profileArgs;
    BuildProfileArgs(paths.ProfilePath(Profile), store, profileArgs);
    const QStringList extra = SplitCommandLine(profileArgs);
    const double section = length / Sections;

    QDir(dir.path()).mkdir("a");
    QDir(dir.path()).mkdir("b");
    QDir(dir.path()).mkdir("c");
    QDir(dir.path()).mkdir("d");

    // Each variant runs `rounds` times, interleaved, and its fastest run counts: the first run
    // of anything pays for cold caches, and the machine's other load comes and goes.
    const int rounds = argc > 2 ? QString(argv[2]).toInt() : 3;
    double viaSplit = 1e9, direct = 1e9, literal = 1e9;
    for (int round = 0; round < rounds; ++round) {
        viaSplit = std::min(viaSplit, Seconds([&] {
                                return Run(paths.AppDir() + "brindle-split",
                                           {"-p", Profile, "-n", QString::number(Sections), "-e",
                                            "0:0:" + d, "-o", dir.filePath("a"), "--overwrite",
                                            "-q", source});
                            }));
        direct = std::min(direct, Seconds([&] {
                              for (int i = 0; i < Sections; ++i) {
                                  QStringList args{"-v",       "error",
                                                   "-nostdin", "-y",
                                                   "-ss",      FormatSectionStart(i * section),
                                                   "-i",       source,
                                                   "-t",       FormatSectionDuration(section)};
                                  args += extra;
                                  args += dir.filePath("b/clip" + QString::number(i) + ".mp4");
                                  if (!Run("ffmpeg", args)) {
                                      return false;
                                  }
                              }
                              return true;
                          }));
        literal = std::min(literal, Seconds([&] {
                               for (int i = 0; i < Sections; ++i) {
                                   QStringList args{"-v",       "error",
                                                    "-nostdin", "-y",
                                                    "-i",       source,
                                                    "-ss",      FormatSectionStart(i * section),
                                                    "-t",       FormatSectionDuration(section)};
                                   args += extra;
                                   args += dir.filePath("c/clip" + QString::number(i) + ".mp4");
                                   if (!Run("ffmpeg", args)) {
                                       return false;
                                   }
                               }
                               return true;
                           }));
    }

    // The event loop during an in-process job: a 1 ms timer notes the longest gap.
    NoQuestions host;
    SplitJob job(paths, &host);
    SplitRequest request;
    request.sourcePath = source;
    request.startText = "0:0:0";
    request.endText = "0:0:" + d;
    request.equalSections = true;
    request.sectionQtyText = QString::number(Sections);
    request.profileName = Profile;
    request.profileArgs = profileArgs;
    request.outputExt = store.OutputExt();
    request.outputDirText = dir.filePath("d");
    request.overwrite = true;
    request.sourceDurationMs = qint64(length * 1000);
    QElapsedTimer gap;
    qint64 longest = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, gap.nsecsElapsed());
        gap.restart();
    });
    QObject::connect(&job, &SplitJob::finished, &app, [&] { app.quit(); });
    gap.start();
    tick.start();
    const double inProcess = Seconds([&] {
        if (job.Start(request)) {
            return false;
        }
        app.exec();
        return true;
    });

    std::printf("source: %.0f s of 1280x720, %d sections, profile %s, best of %d\n", length,
                Sections, qPrintable(Profile), rounds);
    std::printf("brindle-split                  %8.3f s\n", viaSplit);
    std::printf("ffmpeg direct (input seeking)  %8.3f s   ratio %.3f (target <= 1.02)\n", direct,
                viaSplit / direct);
    std::printf("ffmpeg, -ss after -i           %8.3f s   ratio %.3f\n", literal,
                viaSplit / literal);
    std::printf("in-process job                 %8.3f s   longest event-loop stall %.1f ms "
                "(target < 20 ms)\n",
                inProcess, double(longest) / 1e6);
    return 0;
}
