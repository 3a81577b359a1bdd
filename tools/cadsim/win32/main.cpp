// cadsim.exe: the stand-in CAD with real windows. The argument is the
// drawing to open (a DXF file); without one the drawing is empty. Options
// choose among the readings of the CAD program's behaviour (cad_options.h).
#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "engine/cad_engine.h"
#include "platform/process_io.h"
#include "win32/shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace vorbel::cadsim;
  TCadOptions options;
  std::unique_ptr<TCadEngine> engine;
  std::string failure;
  try {
    options = ParseCadOptions(vorbel::ProgramArguments(0, nullptr));
    if (!options.Drawing.empty()) engine = std::make_unique<TCadEngine>(options.Drawing);
  } catch (const std::exception& error) {
    failure = error.what();
  }
  if (!engine) engine = std::make_unique<TCadEngine>();
  ApplyReadings(options, *engine);
  // A drawing that cannot be opened, or an option not understood, is reported
  // in the history, as the CAD program reports it on its command line.
  if (!failure.empty()) engine->Report(failure);
  TShell shell(instance, *engine, options.Timing);
  return shell.Run();
}
