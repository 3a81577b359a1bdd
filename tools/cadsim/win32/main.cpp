// cadsim.exe: the stand-in CAD with real windows. The first argument is the
// drawing to open (a DXF file); without one the drawing is empty.
#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "engine/cad_engine.h"
#include "platform/process_io.h"
#include "win32/shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using vorbel::cadsim::TCadEngine;
  const std::vector<std::string> arguments = vorbel::ProgramArguments(0, nullptr);
  std::unique_ptr<TCadEngine> engine;
  std::string failure;
  if (!arguments.empty()) {
    try {
      engine = std::make_unique<TCadEngine>(arguments.front());
    } catch (const std::exception& error) {
      failure = error.what();
    }
  }
  if (!engine) engine = std::make_unique<TCadEngine>();
  // A drawing that cannot be opened is reported in the history, as the CAD
  // program reports it on its command line, and the drawing stays empty.
  if (!failure.empty()) engine->Report(failure);
  vorbel::cadsim::TShell shell(instance, *engine);
  return shell.Run();
}
