#pragma once

// While it lives the process writes no file beyond `bytes`: a longer write stops
// part-way (EFBIG) the way it does on a full disk. The superuser is held to it too.

#include <csignal>

#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
    bool active_ = false;
};
