// A stand-in for the external encoder in tests.
//
// It appends its arguments to "<own path>.args" (one run per line, arguments separated by the
// unit separator 0x1f) and then follows the script "<own path>.script", one command a line:
//   print TEXT      write TEXT to standard output at once (\n, \r, \t, \\ and \0 are escapes)
//   err TEXT        the same on standard error
//   sleep MS        wait MS milliseconds
//   ignore-term     ignore SIGTERM from here on
//   close-output    close standard output and standard error, and go on
//   hang            wait until killed
//   exit CODE       exit with CODE
//   touch           create the file named by the last argument (like a written clip)
// Without a script it exits 0 at once.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string SelfPath()
{
    std::vector<char> buffer(4096);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), size_t(n)) : std::string();
}

std::string Unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == '0' ? '\0' : c;
        } else {
            out += text[i];
        }
    }
    return out;
}

void WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            return;
        }
        done += size_t(n);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Invoked by its link name (wmaspi.dll) in a test's program folder.
    const std::string self = argc > 0 && argv[0][0] == '/' ? argv[0] : SelfPath();
    {
        std::ofstream args(self + ".args", std::ios::app);
        for (int i = 1; i < argc; ++i) {
            args << (i > 1 ? "\x1f" : "") << argv[i];
        }
        args << '\n';
    }
    std::ifstream script(self + ".script");
    std::string line;
    while (std::getline(script, line)) {
        const size_t blank = line.find(' ');
        const std::string command = line.substr(0, blank);
        const std::string rest =
            blank == std::string::npos ? std::string() : line.substr(blank + 1);
        if (command == "print") {
            WriteAll(1, Unescape(rest));
        } else if (command == "err") {
            WriteAll(2, Unescape(rest));
        } else if (command == "sleep") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(rest.c_str())));
        } else if (command == "ignore-term") {
            std::signal(SIGTERM, SIG_IGN);
        } else if (command == "close-output") {
            close(1);
            close(2);
        } else if (command == "hang") {
            for (;;) {
                pause();
            }
        } else if (command == "exit") {
            return std::atoi(rest.c_str());
        } else if (command == "touch" && argc > 1) {
            std::ofstream(argv[argc - 1]) << "clip";
        }
    }
    return 0;
}
