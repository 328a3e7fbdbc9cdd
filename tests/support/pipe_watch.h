#pragma once

// A named pipe where a file of the data folder belongs, and a watch on it. Opening a pipe for reading waits until a
// writer comes, so a program that opens or compares it hangs. The watch plays that writer: it keeps trying to open
// the pipe for writing without waiting, which succeeds only while someone waits to read it, and closes it at once.
// The reader then finds an empty file, and a test that should fail does so instead of hanging.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

inline bool makePipe(const QString &path)
{
    return mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

class PipeWatch {
public:
    explicit PipeWatch(const QString &path) : path_(QFile::encodeName(path)), thread_([this] { watch(); }) {}
    ~PipeWatch()
    {
        stop_ = true;
        thread_.join();
    }
    PipeWatch(const PipeWatch &) = delete;
    PipeWatch &operator=(const PipeWatch &) = delete;

    // Whether anything opened the pipe to read it.
    bool opened() const { return opened_; }

private:
    void watch()
    {
        while (!stop_) {
            const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                opened_ = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    QByteArray path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread thread_; // last: it starts once the rest is set
};

// Plays the writer of a pipe once: as soon as a reader has opened it, runs `opened` while the reader waits for the
// bytes, then writes them and closes the pipe. Gives up when destroyed before any reader came.
class PipeFeed {
public:
    PipeFeed(const QString &path, QByteArray bytes, std::function<void()> opened)
        : path_(QFile::encodeName(path)), bytes_(std::move(bytes)), opened_(std::move(opened)),
          thread_([this] { feed(); })
    {
    }
    ~PipeFeed()
    {
        stop_ = true;
        thread_.join();
    }
    PipeFeed(const PipeFeed &) = delete;
    PipeFeed &operator=(const PipeFeed &) = delete;

private:
    void feed()
    {
        int fd = -1;
        while (!stop_ && (fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK)) < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (fd < 0)
            return;
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        opened_();
        for (qsizetype done = 0; done < bytes_.size();) {
            const ssize_t n = ::write(fd, bytes_.constData() + done, size_t(bytes_.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::close(fd);
    }

    QByteArray path_;
    QByteArray bytes_;
    std::function<void()> opened_;
    std::atomic<bool> stop_{false};
    std::thread thread_; // last: it starts once the rest is set
};

} // namespace testsupport
