// A named pipe where a file is expected, and a watch over the code under
// test that must never wait in its open. POSIX only (mkfifo).
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace tavro::test {

// A pipe where a file is expected. Should the code under test still wait in
// its open of the pipe after a while, the watch opens the other end: the
// test then fails instead of hanging. A writer's end (the default) stays
// open, so that a writer is not killed by SIGPIPE; a reader's end is
// opened and closed again every while, so that each reader that waits
// reads the end of the pipe.
class PipeWatch {
public:
    enum class Frees { Writer, Readers };

    explicit PipeWatch(const std::string& path, Frees frees = Frees::Writer) : path_(path) {
        EXPECT_EQ(::mkfifo(path.c_str(), 0666), 0);
        thread_ = std::thread([this, frees] {
            std::unique_lock lock(mutex_);
            auto wait = std::chrono::seconds(3);
            while (!done_.wait_for(lock, wait, [this] { return finished_; })) {
                waited_ = true;
                fd_ = ::open(path_.c_str(), O_RDWR | O_NONBLOCK);
                if (frees == Frees::Writer) return;
                if (fd_ >= 0) ::close(fd_);
                fd_ = -1;
                wait = std::chrono::seconds(1);
            }
        });
    }
    ~PipeWatch() { finish(); }

    // False when the code under test had to be freed from the pipe.
    bool finish() {
        if (thread_.joinable()) {
            {
                std::lock_guard lock(mutex_);
                finished_ = true;
            }
            done_.notify_all();
            thread_.join();
            if (fd_ >= 0) ::close(fd_);
        }
        return !waited_;
    }

private:
    std::string path_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    bool waited_ = false;
    int fd_ = -1;
};

}  // namespace tavro::test
