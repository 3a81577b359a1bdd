// The stand-in CAD (cadsim.exe) as the tests and the tour drive it: started
// on a copy of a drawing with the readings they choose, its mouse (pointer
// input), and its drawing saved to be read back.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/line_list.h"
#include "windriver/process.h"

namespace vorbel::windriver {

// The stand-in's idle prompt.
inline constexpr std::string_view kIdlePrompt = "コマンド: ";

// The stand-in's mouse: "PICK 2A,2B", "PICKALL", "POINT 100,50".
void Pointer(const std::string& text);

// cadsim.exe on a copy of `drawing` named `name` in `folder`, with the
// options that choose its readings (cad_options.h).
class TCadProgram {
 public:
  TCadProgram(const std::filesystem::path& exe, const std::string& drawing, const std::string& folder,
              const std::string& name, const std::vector<std::string>& options = {});

  // Its main window shows the drawing's name and the idle prompt.
  bool Ready() const { return ready_; }
  // The drawing as it stands, saved (SAVEAS) to `path` and read back once
  // written; empty when it was not.
  TLineList SaveDrawing(const std::string& path) const;
  // Closes the main window; true when the program ended cleanly.
  bool Close();

 private:
  std::unique_ptr<TProcess> process_;
  bool ready_ = false;
};

}  // namespace vorbel::windriver
