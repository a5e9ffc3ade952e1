// Another program on the clinic's database: the sqlite3 shell in a process of its own, fed
// statements through a pipe. Each Run waits until the shell has carried out what it was
// given (it prints a mark after the statements), so a test knows that the shell holds the
// lock it asked for. The shell ends (and lets its locks go) with Quit or the destructor.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

extern char** environ;

class TOtherProgram {
public:
    explicit TOtherProgram(const std::string& File) {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) throw std::runtime_error("pipe failed");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, in[1]);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        char* args[] = {const_cast<char*>("sqlite3"), const_cast<char*>("-batch"),
                        const_cast<char*>(File.c_str()), nullptr};
        const int rc = posix_spawnp(&FPid, "sqlite3", &actions, nullptr, args, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        FIn = in[1];
        FOut = out[0];
        if (rc != 0) {
            close(FIn);
            close(FOut);
            throw std::runtime_error("the sqlite3 shell cannot be started");
        }
        // The shell waits for a lock of the clinic as little as it may.
        Run(".timeout 1");
    }
    TOtherProgram(const TOtherProgram&) = delete;
    TOtherProgram& operator=(const TOtherProgram&) = delete;
    ~TOtherProgram() { Quit(); }

    // Carries out Statements and returns what the shell said meanwhile.
    std::string Run(const std::string& Statements) {
        const std::string mark = "--done " + std::to_string(++FRuns) + "--";
        const std::string text = Statements + "\n.print " + mark + "\n";
        if (write(FIn, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            throw std::runtime_error("the sqlite3 shell does not listen");
        std::string said;
        char buf[512];
        while (said.find(mark + "\n") == std::string::npos) {
            const ssize_t n = read(FOut, buf, sizeof buf);
            if (n <= 0) throw std::runtime_error("the sqlite3 shell ended: " + said);
            said.append(buf, static_cast<size_t>(n));
        }
        return said.substr(0, said.find(mark + "\n"));
    }

    // Ends the shell; what it had not committed is rolled back.
    void Quit() {
        if (FPid <= 0) return;
        close(FIn);
        int status = 0;
        waitpid(FPid, &status, 0);
        close(FOut);
        FPid = 0;
    }

private:
    pid_t FPid = 0;
    int FIn = -1, FOut = -1;
    int FRuns = 0;
};
