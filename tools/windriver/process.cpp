#include "windriver/process.h"

#include "platform/win32/text_codec.h"

namespace vorbel::windriver {

TProcess::TProcess(const std::filesystem::path& exe, const std::vector<std::string>& arguments,
                   const std::filesystem::path& folder)
    : job_(CreateJobObjectW(nullptr, nullptr)) {
  if (job_) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
  }
  std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
  for (const std::string& argument : arguments) commandLine += L" \"" + Cp932ToWide(argument) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    return;
  }
  process_.reset(info.hProcess);
  const THandle thread(info.hThread);
  id_ = info.dwProcessId;
  if (job_) AssignProcessToJobObject(job_.get(), process_.get());
  ResumeThread(thread.get());
}

TProcess::~TProcess() { Terminate(); }

bool TProcess::Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

long TProcess::WaitForExit(DWORD patience) const {
  if (!process_ || WaitForSingleObject(process_.get(), patience) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return static_cast<long>(code);
}

void TProcess::Terminate() {
  if (!process_) return;
  if (Running()) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 10000);
  }
  process_.reset();
}

std::filesystem::path ProgramFolder() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path).parent_path();
}

}  // namespace vorbel::windriver
