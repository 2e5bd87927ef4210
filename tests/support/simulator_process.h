#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <string>
#include <vector>

#include "support/text_files.h"

extern char** environ;

namespace tarvex::testing {

// Starts a program with the file actions given and extra environment entries ("NAME=value");
// its process id, or -1.
inline pid_t Spawn(std::vector<std::string> args, const std::vector<std::string>& env,
                   posix_spawn_file_actions_t& actions) {
    std::vector<std::string> environment(env);
    for (char** e = environ; *e != nullptr; ++e) {
        environment.emplace_back(*e);
    }
    std::vector<char*> argv, envp;
    for (auto [strings, pointers] : {std::pair{&args, &argv}, std::pair{&environment, &envp}}) {
        for (std::string& s : *strings) {
            pointers->push_back(s.data());
        }
        pointers->push_back(nullptr);
    }
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

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
        pid_ = Spawn(args, {}, actions);
        EXPECT_GT(pid_, 0);
        ::close(out[1]);
        char c = 0;
        pollfd readable{out[0], POLLIN, 0};
        while (::poll(&readable, 1, 10000) == 1 && ::read(out[0], &c, 1) == 1 && c != '\n') {
            devicePath_ += c;
        }
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
    pid_t pid_ = -1;
    std::string devicePath_;
};

struct ProgramRun {
    int status = -1;  // exit status, -1 when it did not exit by itself
    std::string out;
    std::string err;
};

// Starts a program with extra environment entries, its output streams going to run.out and
// run.err in dir; its process id, or -1.
inline pid_t SpawnProgram(std::vector<std::string> args, const std::vector<std::string>& env,
                          const std::string& dir) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const auto& [fd, name] :
         {std::pair{STDOUT_FILENO, "/run.out"}, {STDERR_FILENO, "/run.err"}}) {
        posix_spawn_file_actions_addopen(&actions, fd, (dir + name).c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    return Spawn(std::move(args), env, actions);
}

// Runs a program to its end with extra environment entries, collecting both output streams
// through files in dir.
inline ProgramRun RunProgram(std::vector<std::string> args, const std::vector<std::string>& env,
                             const std::string& dir) {
    ProgramRun run;
    if (const pid_t pid = SpawnProgram(std::move(args), env, dir); pid > 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.out = ReadText(dir + "/run.out");
    run.err = ReadText(dir + "/run.err");
    return run;
}

}  // namespace tarvex::testing
