// The encoder front end, installed in the program folder as "wmaspi.dll".
//
// It takes the split job's command line
//     -y -i SOURCE -ss START -t DURATION [options...] OUTPUT
// and runs the ffmpeg found beside it or on PATH as
//     ffmpeg -nostdin -nostats -progress pipe:3 -y -ss START -i SOURCE -t DURATION [options...]
//     OUTPUT
// -ss in front of -i seeks in the input instead of decoding everything before the start.
// Each progress report of FFmpeg becomes "time=<seconds written> " on standard output, the form
// the program reads; FFmpeg's own messages reach standard error as they are. The exit status is
// FFmpeg's. A command line of any other form goes to FFmpeg unchanged.
//
// Stopped together with its process group, it waits for FFmpeg to close the clip it is
// writing; killed alone, it takes FFmpeg with it (PR_SET_PDEATHSIG).
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

volatile sig_atomic_t g_child = 0;

void Forward(int sig)
{
    if (g_child > 0) {
        ::kill(g_child, sig);
    }
}

bool IsExecutable(const std::string& path)
{
    struct stat st
    {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string FindFfmpeg()
{
    std::vector<char> self(4096);
    const ssize_t n = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (n > 0) {
        std::string dir(self.data(), size_t(n));
        dir.erase(dir.rfind('/') + 1);
        if (IsExecutable(dir + "ffmpeg")) {
            return dir + "ffmpeg";
        }
    }
    const char* path = std::getenv("PATH");
    std::string rest = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t from = 0;
    while (from <= rest.size()) {
        size_t colon = rest.find(':', from);
        if (colon == std::string::npos) {
            colon = rest.size();
        }
        std::string candidate(colon > from ? rest.substr(from, colon - from) : std::string("."));
        candidate.append("/ffmpeg");
        if (IsExecutable(candidate)) {
            return candidate;
        }
        from = colon + 1;
    }
    return {};
}

bool IsContractForm(const std::vector<std::string>& a)
{
    return a.size() >= 8 && a[0] == "-y" && a[1] == "-i" && a[3] == "-ss" && a[5] == "-t";
}

void WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        done += size_t(n);
    }
}

double Now()
{
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The program reads only the first "time" of each piece of output it receives, so the final
// report must not reach it in one piece with the one before: it follows that one by at least
// this long.
constexpr double FinalReportGap = 0.02;

// One "key=value" line of FFmpeg's progress output.
void ProgressLine(const std::string& line, long long& outTimeUs, bool& known, double& lastReport)
{
    const size_t eq = line.find('=');
    if (eq == std::string::npos) {
        return;
    }
    const std::string key = line.substr(0, eq);
    const std::string value = line.substr(eq + 1);
    if (key == "out_time_us") {
        char* end = nullptr;
        errno = 0;
        const long long us = std::strtoll(value.c_str(), &end, 10);
        // Early reports say N/A or a negative time; neither is progress.
        if (errno == 0 && end != value.c_str() && *end == '\0' && us >= 0) {
            outTimeUs = us;
            known = true;
        }
    } else if (key == "progress" && known) {
        if (value == "end") {
            const double wait = lastReport + FinalReportGap - Now();
            if (wait > 0) {
                const timespec pause{0, long(wait * 1e9)};
                ::nanosleep(&pause, nullptr);
            }
        }
        lastReport = Now();
        char text[64];
        std::snprintf(text, sizeof text, "time=%lld.%06lld \n", outTimeUs / 1000000,
                      outTimeUs % 1000000);
        WriteAll(STDOUT_FILENO, text);
    }
}

int ExitStatus(int status)
{
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string ffmpeg = FindFfmpeg();
    if (ffmpeg.empty()) {
        std::fprintf(stderr, "wmaspi.dll: ffmpeg was not found beside this program or on PATH; "
                             "install FFmpeg (Debian package \"ffmpeg\").\n");
        return 127;
    }

    std::vector<std::string> command{ffmpeg};
    const bool contract = IsContractForm(args);
    if (contract) {
        command.insert(command.end(),
                       {"-nostdin", "-nostats", "-loglevel", "warning", "-progress", "pipe:3", "-y",
                        "-ss", args[4], "-i", args[2], "-t", args[6]});
        command.insert(command.end(), args.begin() + 7, args.end());
    } else {
        command.insert(command.end(), args.begin(), args.end());
    }
    std::vector<char*> cargv;
    for (std::string& s : command) {
        cargv.push_back(s.data());
    }
    cargv.push_back(nullptr);

    int progress[2] = {-1, -1};
    if (contract && ::pipe(progress) != 0) {
        std::perror("wmaspi.dll: pipe");
        return 126;
    }

    struct sigaction forward
    {};
    forward.sa_handler = Forward;
    sigemptyset(&forward.sa_mask);
    ::sigaction(SIGTERM, &forward, nullptr);
    ::sigaction(SIGINT, &forward, nullptr);
    ::sigaction(SIGHUP, &forward, nullptr);

    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("wmaspi.dll: fork");
        return 126;
    }
    if (child == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) {
            _exit(126);
        }
        struct sigaction dfl
        {};
        dfl.sa_handler = SIG_DFL;
        ::sigaction(SIGTERM, &dfl, nullptr);
        ::sigaction(SIGINT, &dfl, nullptr);
        ::sigaction(SIGHUP, &dfl, nullptr);
        if (contract) {
            ::close(progress[0]);
            if (progress[1] != 3) {
                ::dup2(progress[1], 3);
                ::close(progress[1]);
            }
        }
        ::execv(ffmpeg.c_str(), cargv.data());
        std::fprintf(stderr, "wmaspi.dll: cannot run %s: %s\n", ffmpeg.c_str(),
                     std::strerror(errno));
        _exit(126);
    }
    g_child = child;

    if (contract) {
        ::close(progress[1]);
        long long outTimeUs = 0;
        bool known = false;
        double lastReport = 0.0;
        std::string line;
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(progress[0], buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                break;
            }
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] == '\n') {
                    if (!line.empty() && line.back() == '\r') {
                        line.pop_back();
                    }
                    ProgressLine(line, outTimeUs, known, lastReport);
                    line.clear();
                } else {
                    line += buffer[i];
                }
            }
        }
        ::close(progress[0]);
    }

    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return 1;
        }
    }
    return ExitStatus(status);
}
