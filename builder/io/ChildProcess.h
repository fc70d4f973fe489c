#pragma once

#include <sys/types.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileDescriptor.h"

namespace quorvantix::dict {

// A program run without a shell, its standard output read through a pipe and its standard
// error kept in a temporary file. A child still running when this ends is stopped. The child
// inherits only those three; nothing is left open when it cannot be started.
class ChildProcess {
  public:
    // The first argument names the program, looked up in PATH. Raises std::system_error when
    // it cannot be started.
    explicit ChildProcess(const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Reads the child's standard output; 0 at its end.
    size_t Read(char* buffer, size_t size);

    // Waits for the child to end: its exit status, or 128 + the signal that ended it.
    int Wait();

    // What the child wrote to standard error.
    std::string ErrorText() const;

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const noexcept { std::fclose(file); }
    };

    pid_t pid_ = -1;
    FileDescriptor output_;
    std::unique_ptr<std::FILE, FileCloser> errors_;
};

}  // namespace quorvantix::dict
