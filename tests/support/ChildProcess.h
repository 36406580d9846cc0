#pragma once
// A program of the build run by a test as a process of its own: its standard output is read
// line by line, and a process still running when the test ends is stopped (SIGTERM) and
// waited for. A test program that dies without unwinding (an abort, a failed assertion) takes its
// children with it: a child left running would keep the test's output open, and ctest would wait
// for it until its timeout.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

// A program built beside the test programs, e.g. "tools/simulator/zuvsim".
inline std::string BuiltProgram(const std::string& relative)
{
    auto tests = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    return (tests.parent_path() / relative).string();
}

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess()
    {
        if (pid_ > 0) {
            Signal(SIGTERM);
            Wait();
        }
        if (out_ >= 0)
            ::close(out_);
    }

    // False when the program could not be started. An object whose process has ended may
    // start another.
    bool Start(const std::string& program, std::vector<std::string> args)
    {
        if (out_ >= 0)
            ::close(out_);
        out_ = -1;
        int fds[2], errorPipe[2];
        if (::pipe(fds) != 0)
            return false;
        // The child reports a failed exec through a pipe that the exec itself closes.
        if (::pipe2(errorPipe, O_CLOEXEC) != 0) {
            ::close(fds[0]);
            ::close(fds[1]);
            return false;
        }
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0)
            ExecChild(program, argv.data(), fds, errorPipe[1], parent);
        ::close(fds[1]);
        ::close(errorPipe[1]);
        out_ = fds[0];
        int childErrno = 0;
        const bool started = pid_ > 0 && ::read(errorPipe[0], &childErrno, sizeof childErrno) == 0;
        ::close(errorPipe[0]);
        if (pid_ > 0 && !started)
            Wait();
        if (!started)
            pid_ = -1;
        return started;
    }

    // The next line of its output without the LF; nothing at the end of the output or when no
    // whole line came within the timeout.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        std::string line;
        pollfd p{out_, POLLIN, 0};
        for (;;) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            char c;
            if (left.count() <= 0 || ::poll(&p, 1, int(left.count())) <= 0 || ::read(out_, &c, 1) != 1)
                return std::nullopt;
            if (c == '\n')
                return line;
            line += c;
        }
    }

    void Signal(int signal)
    {
        if (pid_ > 0)
            ::kill(pid_, signal);  // only the process this object started
    }

    // Waits for the process to end and returns its wait status.
    int Wait()
    {
        int status = 0;
        if (pid_ > 0)
            ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

private:
    // In the forked child: only async-signal-safe calls until the exec. The death signal follows
    // the thread that forked, so tests start their children from their main thread.
    [[noreturn]] static void ExecChild(const std::string& program, char* const* argv, const int (&out)[2],
                                       int errorPipe, pid_t parent)
    {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)  // the test died before the line above took effect
            ::_exit(127);
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        ::execve(program.c_str(), argv, environ);
        const int error = errno;
        (void)!::write(errorPipe, &error, sizeof error);
        ::_exit(127);
    }

    pid_t pid_ = -1;
    int out_ = -1;
};
