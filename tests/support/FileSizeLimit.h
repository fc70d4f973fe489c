#pragma once

#include <sys/resource.h>

#include <csignal>

namespace quorvantix::testing {

// Holds the size a file of this process may grow to, and lets writes beyond it fail instead of
// ending the process: a write cut short, also for root, where a read-only folder would not do.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*old_handler_)(int) = nullptr;
};

// While it lives, the process can open no new file: a fault that stops a save also for root,
// which writes into read-only folders.
class NoNewFiles {
  public:
    NoNewFiles() {
        getrlimit(RLIMIT_NOFILE, &saved_);
        rlimit none = saved_;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_NOFILE, &none);
    }
    ~NoNewFiles() { setrlimit(RLIMIT_NOFILE, &saved_); }
    NoNewFiles(const NoNewFiles&) = delete;
    NoNewFiles& operator=(const NoNewFiles&) = delete;

  private:
    rlimit saved_{};
};

}  // namespace quorvantix::testing
