// A Windows program started as a child process and owned: it is ended with
// its owner, and with the driving program's end even when that comes by a
// crash (a job object kills it when its last handle closes).
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vorbel::windriver {

class TProcess {
 public:
  // Starts `exe` with `arguments` (code page 932, each quoted) in `folder`.
  TProcess(const std::filesystem::path& exe, const std::vector<std::string>& arguments,
           const std::filesystem::path& folder);
  ~TProcess();
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  bool Running() const;
  // The exit code once the program has ended within the patience, or -1.
  long WaitForExit(DWORD patience) const;
  void Terminate();

 private:
  struct TCloseHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
  };
  using THandle = std::unique_ptr<void, TCloseHandle>;

  THandle job_;
  THandle process_;
  DWORD id_ = 0;
};

// The folder of the running program.
std::filesystem::path ProgramFolder();

}  // namespace vorbel::windriver
