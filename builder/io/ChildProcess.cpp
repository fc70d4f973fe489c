#include "builder/io/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "builder/io/Interruption.h"

extern char** environ;

namespace quorvantix::dict {

namespace {

class SpawnActions {
  public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

// A temporary file, already removed from its folder, that no child inherits unless given it.
std::FILE* UnlinkedTemporaryFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/quorvantix-XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    ::unlink(pattern.c_str());
    std::FILE* file = ::fdopen(fd, "w+");
    if (file == nullptr) {
        ::close(fd);
    }
    return file;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments)
    : errors_(UnlinkedTemporaryFile()) {
    if (!errors_) {
        throw std::system_error(errno, std::generic_category(), "cannot make a temporary file");
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    int pipe_ends[2];
    if (::pipe2(pipe_ends, O_CLOEXEC) != 0) {
        throw std::system_error(errno, std::generic_category(), "cannot make a pipe");
    }
    FileDescriptor output(pipe_ends[0]);
    FileDescriptor child_output(pipe_ends[1]);
    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), child_output.Get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.get(), fileno(errors_.get()), STDERR_FILENO);
    posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const int code = posix_spawnp(&pid_, argv[0], actions.get(), nullptr, argv.data(), environ);
    if (code != 0) {
        pid_ = -1;
        throw std::system_error(code, std::generic_category(), "cannot run " + arguments[0]);
    }
    output_ = std::move(output);
}

ChildProcess::~ChildProcess() {
    output_.Reset();
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        Wait();
    }
}

size_t ChildProcess::Read(char* buffer, size_t size) {
    for (;;) {
        const ssize_t got = ::read(output_.Get(), buffer, size);
        if (got >= 0) {
            return static_cast<size_t>(got);
        }
        if (errno != EINTR) {
            throw std::system_error(errno, std::generic_category(), "cannot read from a child");
        }
        StopIfInterrupted();
    }
}

int ChildProcess::Wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0) {
        if (errno != EINTR) {
            pid_ = -1;
            return 128;
        }
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ChildProcess::ErrorText() const {
    std::FILE* file = errors_.get();
    std::rewind(file);
    std::string text;
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        text.append(chunk, got);
    }
    return text;
}

}  // namespace quorvantix::dict
