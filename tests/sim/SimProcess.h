// tavro-sim as a child process of a test: started with its device linked at
// a given path, stopped with SIGTERM (which makes it write --dump).
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#ifndef TAVRO_SIM
#error "TAVRO_SIM must name the tavro-sim executable"
#endif
#ifndef TAVRO_SOURCE_DIR
#error "TAVRO_SOURCE_DIR must name the source tree"
#endif

extern char** environ;

namespace tavro::test {

class SimProcess {
public:
    SimProcess() = default;
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess() { stop(); }

    // Starts the simulator with --link `link` and the further arguments, and
    // waits until the link leads to its device.
    void start(const std::string& link, const std::vector<std::string>& arguments = {}) {
        std::vector<std::string> args{TAVRO_SIM, "--link", link};
        args.insert(args.end(), arguments.begin(), arguments.end());
        spawn(std::move(args), link);
    }

    // Starts the simulator the way scripts/run does, through
    // scripts/demo-sim: its table holds the values of `defaultSetup`.
    void startDemo(const std::string& link, const std::string& defaultSetup) {
        const std::string build = std::filesystem::path(TAVRO_SIM).parent_path().string();
        spawn({"/bin/bash", std::string(TAVRO_SOURCE_DIR) + "/scripts/demo-sim", build, defaultSetup, link}, link);
    }

    // Stops the simulator; its exit status (-1 when it was not running or
    // did not end normally).
    int stop() {
        if (pid_ < 0) return -1;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool running() const { return pid_ >= 0; }

private:
    // Runs args[0] and waits until `link` leads to a device. The process is
    // the simulator itself (a script execs it), so stop() reaches it.
    void spawn(std::vector<std::string> args, const std::string& link) {
        stop();
        link_ = link;
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("cannot start " + args[0]);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        struct stat st {};
        while (::stat(link.c_str(), &st) != 0) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                throw std::runtime_error("tavro-sim ended at start");
            }
            if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("tavro-sim did not link " + link);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    pid_t pid_ = -1;
    std::string link_;
};

}  // namespace tavro::test
