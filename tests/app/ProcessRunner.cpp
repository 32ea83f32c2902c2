#include "ProcessRunner.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ravelin::testing {
namespace {

constexpr uid_t kNobody = 65534;

using Clock = std::chrono::steady_clock;

[[noreturn]] void ExecChild(const ProcessOptions& options, int outWrite, int errWrite) {
    ::dup2(outWrite, STDOUT_FILENO);
    ::dup2(errWrite, STDERR_FILENO);
    if (options.asNobody && ::geteuid() == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
            ::_exit(127);
        }
    }
    std::vector<char*> argv;
    for (const std::string& arg : options.args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

// Reads what is there; returns false at the end of the stream.
bool Drain(int fd, std::string& into) {
    char buffer[65536];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) {
        return false;
    }
    into.append(buffer, static_cast<size_t>(got));
    return true;
}

class Pipe {
  public:
    Pipe() {
        if (::pipe2(fds_, O_CLOEXEC) != 0) {
            fds_[0] = fds_[1] = -1;
        }
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    int Read() const { return fds_[0]; }
    int Write() const { return fds_[1]; }
    void CloseRead() { Close(fds_[0]); }
    void CloseWrite() { Close(fds_[1]); }

  private:
    static void Close(int& fd) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
    int fds_[2];
};

}  // namespace

bool CanRunAsNobody() {
    return ::geteuid() == 0;
}

ProcessResult RunProcess(const ProcessOptions& options) {
    ProcessResult result;
    Pipe out;
    Pipe err;
    const auto started = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ExecChild(options, out.Write(), err.Write());
    }
    out.CloseWrite();
    err.CloseWrite();
    bool outOpen = true;
    bool errOpen = true;
    int interruptsSent = 0;
    while (outOpen || errOpen) {
        const double elapsed = std::chrono::duration<double>(Clock::now() - started).count();
        if (elapsed > options.timeoutSeconds) {
            ::kill(child, SIGKILL);
            result.timedOut = true;
            break;
        }
        if (options.interruptAfterSeconds && interruptsSent < options.interrupts &&
            elapsed >= *options.interruptAfterSeconds) {
            ::kill(child, SIGINT);
            ++interruptsSent;
            continue;
        }
        pollfd fds[2] = {{outOpen ? out.Read() : -1, POLLIN, 0},
                         {errOpen ? err.Read() : -1, POLLIN, 0}};
        ::poll(fds, 2, 20);
        if (outOpen && (fds[0].revents & (POLLIN | POLLHUP)) != 0) {
            outOpen = Drain(out.Read(), result.out);
            if (options.closeOutputAfterFirstLine && result.out.find('\n') != std::string::npos) {
                out.CloseRead();
                outOpen = false;
            }
        }
        if (errOpen && (fds[1].revents & (POLLIN | POLLHUP)) != 0) {
            errOpen = Drain(err.Read(), result.err);
        }
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    result.peakKilobytes = usage.ru_maxrss;
    result.exited = WIFEXITED(status);
    result.exitStatus = result.exited ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

}  // namespace ravelin::testing
