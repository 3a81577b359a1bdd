#include "windriver/cadsim_driver.h"

#include "acadctrl/acad_windows.h"
#include "acadctrl/command_channel.h"
#include "acadctrl/command_line.h"
#include "base/files.h"
#include "engine/cad_windows.h"
#include "platform/desktop.h"
#include "platform/file_path.h"
#include "windriver/window_driver.h"

namespace vorbel::windriver {

void Pointer(const std::string& text) {
  SendCopyData(FindAcadWindow(), cadsim::kPointerInput, text.c_str(), static_cast<uint32_t>(text.size() + 1));
}

TCadProgram::TCadProgram(const std::filesystem::path& exe, const std::string& drawing,
                         const std::string& folder, const std::string& name,
                         const std::vector<std::string>& options) {
  const std::string copy = folder + "/" + name;
  std::error_code error;
  std::filesystem::copy_file(FilePath(drawing), FilePath(copy),
                             std::filesystem::copy_options::overwrite_existing, error);
  std::vector<std::string> arguments = options;
  arguments.push_back(copy);
  process_ = std::make_unique<TProcess>(exe, arguments, FilePath(folder));
  // Under Wine a program's start has once been refused at once, right after
  // another test program had ended; a second start is the harness's, not the
  // stand-in's, concern.
  if (!process_->Started()) process_ = std::make_unique<TProcess>(exe, arguments, FilePath(folder));
  ready_ = process_->Started() && WaitFor([&] {
             const TWindow window = FindAcadWindow();
             return window != kNoWindow && WindowTitle(window) == cadsim::MainWindowTitle(name) &&
                    ReadCommandLine() == kIdlePrompt;
           });
}

TLineList TCadProgram::SaveDrawing(const std::string& path) const {
  DeleteFileAt(path);
  // A path AutoCAD's typed input can carry, also where a blank ends it.
  SendCommand("SAVEAS " + PathForCommand(path) + "\r");
  // The stand-in may carry the command out later.
  if (!WaitFor([&] { return FileExists(path) && ReadCommandLine() == kIdlePrompt; })) return {};
  return LoadLines(path);
}

bool TCadProgram::Close() {
  if (!process_) return true;
  const TWindow window = FindAcadWindow();
  if (window != kNoWindow) PostMessageW(reinterpret_cast<HWND>(window), WM_CLOSE, 0, 0);
  const bool closed = process_->WaitForExit(kPatience) == 0;
  process_.reset();
  return closed;
}

}  // namespace vorbel::windriver
