// brindle-split: the split job without windows.
#include "about/ProgramInfo.h"
#include "app/AppPaths.h"
#include "app/TimeCodes.h"
#include "preview/Player.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileList.h"
#include "profiles/ProfileStore.h"
#include "settings/Preferences.h"
#include "split/SplitJob.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

enum Exit
{
    Ok = 0,
    CheckFailed = 1,
    Usage = 2,
    NoEncoder = 3,
    Declined = 4,
    Interrupted = 130
};

constexpr int LoadTimeoutMs = 20000;

int g_signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

void Err(const QString& text)
{
    std::fputs(qPrintable(text + u'\n'), stderr);
}

enum class OverwriteMode
{
    Preference,
    Always,
    Never
};

class CliHost : public SplitHost
{
public:
    OverwriteMode mode = OverwriteMode::Preference;

    bool ConfirmOverwrite(const QString& path) override
    {
        if (mode == OverwriteMode::Never || !::isatty(STDIN_FILENO)) {
            Err(QStringLiteral("Skipping existing %1").arg(path));
            return false;
        }
        std::fprintf(stderr, "\n%s\nThe output file is existent. Overwrite it? [y/N] ",
                     qPrintable(path));
        std::fflush(stderr);
        char answer[64] = {};
        if (!std::fgets(answer, sizeof answer, stdin)) {
            return false;
        }
        return answer[0] == 'y' || answer[0] == 'Y';
    }
};

class SplitCommand : public QObject
{
public:
    SplitCommand(AppPaths paths, SplitRequest request, CliHost* host, bool quiet)
        : m_paths(std::move(paths)), m_request(std::move(request)), m_host(host),
          m_job(m_paths, host), m_quiet(quiet), m_tty(::isatty(STDERR_FILENO))
    {
        connect(&m_job, &SplitJob::sectionStarted, this, [this](const SectionPlan& s, qint32 n) {
            m_section = s.index;
            m_count = n;
            m_current = 0;
            Show();
        });
        connect(&m_job, &SplitJob::progress, this, [this](int current, int total) {
            m_current = current;
            m_total = total;
            Show();
        });
        connect(&m_job, &SplitJob::finished, this, &SplitCommand::Finished);
        m_clock.setInterval(1000);
        connect(&m_clock, &QTimer::timeout, this, [this] {
            ++m_elapsed;
            Show();
        });
    }

    void Start()
    {
        if (const auto failure = m_job.Start(m_request)) {
            Err(failure->caption + QStringLiteral(": ") + failure->message);
            QCoreApplication::exit(CheckFailed);
            return;
        }
        m_clock.start();
    }

    void Interrupt()
    {
        if (!m_job.IsRunning()) {
            QCoreApplication::exit(Interrupted);
            return;
        }
        m_job.Cancel();
    }

private:
    void Show()
    {
        if (m_quiet || m_section == 0) {
            return;
        }
        const QString line =
            QStringLiteral("Section %1/%2  current %3%  total %4%  elapsed %5  remaining %6")
                .arg(m_section)
                .arg(m_count)
                .arg(m_current, 3)
                .arg(m_total, 3)
                .arg(FormatTime(double(m_elapsed)))
                .arg(FormatTime(double(RemainingSeconds(m_elapsed, m_total))));
        if (line == m_lastLine) {
            return;
        }
        m_lastLine = line;
        if (m_tty) {
            std::fprintf(stderr, "\r%s\x1b[K", qPrintable(line));
        } else {
            std::fprintf(stderr, "%s\n", qPrintable(line));
        }
        std::fflush(stderr);
    }

    void Finished(SplitJob::Outcome outcome)
    {
        m_clock.stop();
        if (m_tty && !m_quiet && m_section != 0) {
            std::fputs("\n", stderr);
        }
        switch (outcome) {
        case SplitJob::Outcome::Completed:
            std::puts("Splitting is completed successfully.");
            QCoreApplication::exit(Ok);
            return;
        case SplitJob::Outcome::Failed:
            Err(SplitJob::FailureMessage());
            QCoreApplication::exit(NoEncoder);
            return;
        case SplitJob::Outcome::Declined:
            QCoreApplication::exit(Declined);
            return;
        case SplitJob::Outcome::Cancelled:
            Err(QStringLiteral("Stopped; the clips written so far stay."));
            // Leave once the encoder has closed the clip it was writing.
            if (m_job.EncodersAlive() == 0) {
                QCoreApplication::exit(Interrupted);
            } else {
                connect(&m_job, &SplitJob::encodersGone, this,
                        [] { QCoreApplication::exit(Interrupted); });
            }
            return;
        }
    }

    AppPaths m_paths;
    SplitRequest m_request;
    CliHost* m_host;
    SplitJob m_job;
    QTimer m_clock;
    bool m_quiet;
    bool m_tty;
    qint32 m_section = 0;
    qint32 m_count = 0;
    int m_current = 0;
    int m_total = 0;
    qint64 m_elapsed = 0;
    QString m_lastLine;
};

// The row named `name` in the first group that has one.
std::optional<ProfileGroup> GroupOfRow(const ProfileStore& store, const QString& name)
{
    for (ProfileGroup g : AllProfileGroups) {
        if (store.FindRow(g, name) >= 0) {
            return g;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // libmpv needs the C library's numbers in the "C" form; the application object has just
    // set them from the environment.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setApplicationName(QStringLiteral("brindle-split"));

    const AppPaths paths = AppPaths::FromApplication();
    QCoreApplication::setApplicationVersion(ReadVersionText(paths));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Cuts the marked range of a video out as one clip, or into N equal "
                       "sections, with the profiles and preferences of %1.")
            .arg(QString::fromLatin1(ProgramInfo::ProductName)));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption start({"s", "start"}, "Start of the marked range (default 00:00:00).",
                                   "TIME", "00:00:00");
    const QCommandLineOption end(
        {"e", "end"}, "End of the marked range (default: the source's duration).", "TIME");
    const QCommandLineOption sections({"n", "sections"}, "N equal sections (default: one clip).",
                                      "N");
    const QCommandLineOption profile(
        {"p", "profile"}, "Profile display name (default: the one Preferences.ini selects).",
        "NAME");
    const QCommandLineOption output(
        {"o", "output"},
        "Output folder (default: \"Output Dir\" when \"Aptotic\" is on, else the source's folder).",
        "DIR");
    const QCommandLineOption overwrite("overwrite", "Replace existing clips without asking.");
    const QCommandLineOption noOverwrite("no-overwrite", "Answer No to every overwrite question.");
    const QCommandLineOption set(
        "set",
        "Set the shown text of the profile row NAME before the arguments are built (repeatable).",
        "NAME=TEXT");
    const QCommandLineOption dryRun("dry-run", "Check and plan, then print each section's encoder "
                                               "command line; run nothing and ask nothing.");
    const QCommandLineOption listProfiles("list-profiles",
                                          "Print the profile names in list order.");
    const QCommandLineOption quiet({"q", "quiet"}, "No progress display.");
    parser.addOptions({start, end, sections, profile, output, overwrite, noOverwrite, set, dryRun,
                       listProfiles, quiet});
    parser.addPositionalArgument("SOURCE", "The video to split.");
    if (!parser.parse(QCoreApplication::arguments())) {
        Err(parser.errorText());
        return Usage;
    }
    if (parser.isSet("help")) {
        parser.showHelp(Ok);
    }
    if (parser.isSet("version")) {
        std::printf("%s %s\n", ProgramInfo::ProductName, qPrintable(ReadVersionText(paths)));
        return Ok;
    }

    const FileListing profiles = ListProfiles(paths.ProfileDir());
    if (parser.isSet(listProfiles)) {
        if (!profiles.error.isEmpty()) {
            Err(profiles.error);
            return CheckFailed;
        }
        for (const QString& name : profiles.names) {
            std::printf("%s\n", qPrintable(name));
        }
        return Ok;
    }
    if (parser.positionalArguments().size() != 1) {
        Err(QStringLiteral("brindle-split: give exactly one SOURCE (see --help)."));
        return Usage;
    }
    if (parser.isSet(overwrite) && parser.isSet(noOverwrite)) {
        Err(QStringLiteral("brindle-split: --overwrite and --no-overwrite exclude each other."));
        return Usage;
    }

    const Preferences prefs = ReadPreferences(paths);
    SplitRequest request;
    request.sourcePath = parser.positionalArguments().first();
    request.decimalSeparator = QLocale::system().decimalPoint().front();
    request.startText = parser.value(start);
    request.equalSections = parser.isSet(sections);
    request.sectionQtyText = parser.value(sections);
    if (parser.isSet(profile)) {
        request.profileName = parser.value(profile);
    } else if (prefs.profile >= 0 && prefs.profile < profiles.names.size()) {
        request.profileName = profiles.names[prefs.profile];
    }
    if (parser.isSet(output)) {
        request.outputDirText = parser.value(output);
    } else if (prefs.aptotic) {
        request.outputDirText = prefs.outputDir;
    } else {
        request.outputDirText = FolderOf(QFileInfo(request.sourcePath).absoluteFilePath());
    }
    request.overwrite = parser.isSet(overwrite) || (!parser.isSet(noOverwrite) && prefs.overwrite);

    // The profile's choices, as the profile editor would show them, then the arguments.
    ProfileStore store;
    const QString profilePath = paths.ProfilePath(request.profileName);
    if (const ProfileError error = LoadProfile(profilePath, store)) {
        Err(*error);
        return CheckFailed;
    }
    for (const QString& assignment : parser.values(set)) {
        const qsizetype eq = assignment.indexOf(u'=');
        if (eq <= 0) {
            Err(QStringLiteral("brindle-split: --set takes NAME=TEXT, not \"%1\".")
                    .arg(assignment));
            return Usage;
        }
        const QString name = assignment.left(eq);
        const auto group = GroupOfRow(store, name);
        if (!group) {
            Err(QStringLiteral("brindle-split: the profile has no row named \"%1\".").arg(name));
            return Usage;
        }
        store.SetText(*group, name, assignment.mid(eq + 1));
    }
    if (const ProfileError error = BuildProfileArgs(profilePath, store, request.profileArgs)) {
        Err(*error);
        return CheckFailed;
    }
    request.outputExt = store.OutputExt();

    CliHost host;
    host.mode = parser.isSet(noOverwrite) ? OverwriteMode::Never
                : parser.isSet(overwrite) ? OverwriteMode::Always
                                          : OverwriteMode::Preference;

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) == 0) {
        struct sigaction action
        {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGINT, &action, nullptr);
        ::sigaction(SIGTERM, &action, nullptr);
    }

    // The duration comes from the player, as in the window.
    Player player;
    SplitCommand* command = nullptr;
    bool begun = false;
    const bool endGiven = parser.isSet(end);
    const QString endText = parser.value(end);
    const bool dry = parser.isSet(dryRun);
    const bool silent = parser.isSet(quiet);
    auto begin = [&] {
        if (begun) {
            return;
        }
        begun = true;
        request.sourceDurationMs = player.DurationMs();
        if (endGiven) {
            request.endText = endText;
        } else {
            request.endText = QStringLiteral("0:0:") +
                              QString::number(double(request.sourceDurationMs) / 1000.0, 'f', 3)
                                  .replace(u'.', request.decimalSeparator);
        }
        if (dry) {
            auto checked = CheckAndPlan(request, paths);
            if (auto* failure = std::get_if<CheckFailure>(&checked)) {
                Err(failure->caption + QStringLiteral(": ") + failure->message);
                QCoreApplication::exit(CheckFailed);
                return;
            }
            const SplitPlan& plan = std::get<SplitPlan>(checked);
            for (qint32 i = 1; i <= plan.count; ++i) {
                std::printf("%s%s\n", qPrintable(paths.EncoderPath()),
                            qPrintable(PlanSection(plan, i).command));
            }
            QCoreApplication::exit(Ok);
            return;
        }
        command = new SplitCommand(paths, request, &host, silent);
        command->setParent(&app);
        command->Start();
    };

    QSocketNotifier signalNotifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [&] {
        char byte = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[0], &byte, 1);
        if (command) {
            command->Interrupt();
        } else {
            QCoreApplication::exit(Interrupted);
        }
    });

    if (IsSourceValid(request.sourcePath)) {
        QObject::connect(&player, &Player::loaded, &app, [&](bool) { begin(); });
        QTimer::singleShot(LoadTimeoutMs, &app, begin);
        player.Load(QFileInfo(request.sourcePath).absoluteFilePath(), false);
    } else {
        QTimer::singleShot(0, &app, begin); // the first check reports it
    }
    return app.exec();
}
