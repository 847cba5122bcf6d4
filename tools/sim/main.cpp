// tempmon-sim: simulated temperature controllers on pseudo-terminals, driven by
// commands on stdin. See usageText() for the command line and the commands.

#include "simbench.h"
#include "simoptions.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

void say(const std::string &line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    bool keepRunning = false;
    // Without stdin (started in the background by a script) EOF must not end the run.
    for (auto it = args.begin(); it != args.end();) {
        if (*it == "--keep-running") {
            keepRunning = true;
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    const auto parsed = parseSimOptions(args);
    if (!parsed.ok()) {
        std::fprintf(stderr, "tempmon-sim: %s\n%s", parsed.error.c_str(), usageText().c_str());
        return 2;
    }
    if (parsed.value->help) {
        std::fputs(usageText().c_str(), stdout);
        std::fputs("  --keep-running: EOF on stdin does not end the simulator (signals do)\n", stdout);
        return 0;
    }

    // Signals are taken through a descriptor in this thread; the line threads
    // inherit the blocked mask and never see them.
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGTERM);
    sigaddset(&mask, SIGINT);
    sigaddset(&mask, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &mask, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    const int sigFd = signalfd(-1, &mask, SFD_CLOEXEC);

    SimBench bench(*parsed.value);
    std::string error;
    if (!bench.start(error)) {
        std::fprintf(stderr, "tempmon-sim: %s\n", error.c_str());
        bench.stop();
        return 1;
    }
    for (const std::string &line : bench.startupLines())
        say(line);
    say("ready");

    std::string pending;
    bool stdinOpen = true;
    for (;;) {
        pollfd fds[2] = {{sigFd, POLLIN, 0}, {stdinOpen ? STDIN_FILENO : -1, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents & POLLIN)
            break;
        if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) {
            char buf[4096];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (!keepRunning)
                    break;
                stdinOpen = false;
                continue;
            }
            pending.append(buf, std::size_t(n));
            bool quit = false;
            std::size_t eol;
            while (!quit && (eol = pending.find('\n')) != std::string::npos) {
                std::string line = pending.substr(0, eol);
                pending.erase(0, eol + 1);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                const std::string answer = bench.execute(line);
                say(answer);
                quit = answer == "ok bye";
            }
            if (quit)
                break;
        }
    }
    bench.stop();
    return 0;
}
