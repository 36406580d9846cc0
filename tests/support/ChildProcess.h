#pragma once
// A program of the build run by a test as a process of its own: its standard output is read
// line by line, and a process still running when the test ends is stopped (SIGTERM) and
// waited for.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
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
        int fds[2];
        if (::pipe(fds) != 0)
            return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int rc = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out_ = fds[0];
        if (rc != 0)
            pid_ = -1;
        return rc == 0;
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
    pid_t pid_ = -1;
    int out_ = -1;
};
