#include "child_process.h"

#ifdef __linux__

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <stdexcept>

namespace vorbel::bench {

namespace {

// A file descriptor closed when it goes out of scope.
class TDescriptor {
 public:
  explicit TDescriptor(int fd = -1) : fd_(fd) {}
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  ~TDescriptor() { Close(); }

  int Get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

}  // namespace

int RunSelf(const std::vector<std::string>& args, std::string& out) {
  std::vector<std::string> argStore;
  argStore.reserve(args.size() + 1);
  argStore.emplace_back("vorbel-bench");
  argStore.insert(argStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argStore) argv.push_back(arg.data());
  argv.push_back(nullptr);

  std::array<int, 2> fds{};
  if (::pipe(fds.data()) != 0) throw std::runtime_error("cannot create a pipe");
  TDescriptor readEnd(fds[0]);
  TDescriptor writeEnd(fds[1]);

  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("cannot start a child process");
  if (pid == 0) {
    // Only async-signal-safe calls from here on.
    ::dup2(writeEnd.Get(), STDOUT_FILENO);
    ::close(readEnd.Get());
    ::close(writeEnd.Get());
    ::execv("/proc/self/exe", argv.data());
    ::_exit(127);
  }
  writeEnd.Close();

  out.clear();
  std::array<char, 65536> buffer{};
  for (;;) {
    const ssize_t got = ::read(readEnd.Get(), buffer.data(), buffer.size());
    if (got > 0) {
      out.append(buffer.data(), static_cast<size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  readEnd.Close();

  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("lost the child process");
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace vorbel::bench

#endif
