#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace tarvex::testing {

// zpt410-sim (ZPT410_SIM_PATH) running in the background; its device path is the first line it
// prints.
class Simulator {
  public:
    explicit Simulator(const std::vector<std::string>& options) {
        int out[2];
        EXPECT_EQ(::pipe(out), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<std::string> args{ZPT410_SIM_PATH};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        EXPECT_EQ(::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        devicePath_ = FirstLine(out[0]);
        ::close(out[0]);
    }
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;
    ~Simulator() {
        if (pid_ > 0) {
            Stop(SIGKILL);
        }
    }

    const std::string& devicePath() const { return devicePath_; }

    // The exit status, or -1 when it did not exit by itself.
    int Stop(int signal) {
        ::kill(pid_, signal);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    static std::string FirstLine(int fd) {
        std::string line;
        char c = 0;
        pollfd readable{fd, POLLIN, 0};
        while (::poll(&readable, 1, 10000) == 1 && ::read(fd, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    pid_t pid_ = -1;
    std::string devicePath_;
};

struct ProgramRun {
    int status = -1;  // exit status, -1 when it did not exit by itself
    std::string out;
    std::string err;
};

// Starts a program with extra environment entries ("NAME=value"), its output streams going to
// files in dir; its process id, or -1.
inline pid_t SpawnProgram(std::vector<std::string> args, const std::vector<std::string>& env,
                          const std::string& dir) {
    const std::string outPath = dir + "/run.out";
    const std::string errPath = dir + "/run.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> environment(env);
    for (char** e = environ; *e != nullptr; ++e) {
        environment.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Runs a program to its end with extra environment entries ("NAME=value"), collecting both
// output streams through files in dir.
inline ProgramRun RunProgram(std::vector<std::string> args, const std::vector<std::string>& env,
                             const std::string& dir) {
    ProgramRun run;
    const pid_t pid = SpawnProgram(std::move(args), env, dir);
    if (pid > 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string outPath = dir + "/run.out";
    const std::string errPath = dir + "/run.err";
    const auto slurp = [](const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    run.out = slurp(outPath);
    run.err = slurp(errPath);
    return run;
}

}  // namespace tarvex::testing
