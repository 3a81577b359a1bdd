#include "headless/sim_windows.h"

#include <string>

#include "base/files.h"
#include "engine/cad_windows.h"
#include "platform/headless/sim_desktop.h"

namespace vorbel::cadsim {

namespace {

// The prompt window and the history window under `parent`, in the order the
// CAD program's command line has them.
void CreateCommandLine(TWindow parent, uint32_t threadId, TCadEngine& engine, bool historyFirst) {
  sim::TSimDesktop& desktop = sim::Desktop();
  auto prompt = [&desktop, parent, threadId, &engine] {
    sim::TWindowOwner owner;
    owner.onGetText = [&engine] { return engine.PromptText(); };
    desktop.Create(std::string(kPromptWindowTitle), std::string(kCommandLineClass), threadId, parent, owner);
  };
  auto history = [&desktop, parent, threadId, &engine] {
    sim::TWindowOwner owner;
    owner.onGetText = [&engine] { return engine.RecentHistory(); };
    desktop.Create(std::string(kHistoryWindowTitle), std::string(kCommandLineClass), threadId, parent, owner);
  };
  if (historyFirst) {
    history();
    prompt();
  } else {
    prompt();
    history();
  }
}

}  // namespace

TSimCadWindows::TSimCadWindows(TCadEngine& engine, uint32_t threadId, TCadTiming timing)
    : engine_(engine), timing_(timing) {
  sim::TSimDesktop& desktop = sim::Desktop();
  sim::TWindowOwner mainOwner;
  mainOwner.onCopyData = [this](std::uintptr_t dwData, std::string_view bytes) {
    if (timing_.InputStep >= 0) {
      const int first = timing_.InputDelay >= 0 ? timing_.InputDelay : timing_.InputStep;
      if (stepped_.Add(dwData, bytes)) {
        const std::weak_ptr<bool> alive = alive_;
        sim::Desktop().Schedule(static_cast<uint64_t>(first), [this, alive] {
          if (!alive.expired()) StepInput();
        });
      }
      return;
    }
    if (timing_.InputDelay < 0) {
      engine_.OnCopyData(dwData, bytes);
      RefreshTitles();
      return;
    }
    const std::weak_ptr<bool> alive = alive_;
    sim::Desktop().Schedule(static_cast<uint64_t>(timing_.InputDelay),
                            [this, alive, dwData, copy = std::string(bytes)] {
                              if (alive.expired()) return;
                              engine_.OnCopyData(dwData, copy);
                              RefreshTitles();
                            });
  };
  if (timing_.ExportDelay >= 0) {
    engine_.WriteExport = [delay = static_cast<uint64_t>(timing_.ExportDelay)](const std::string& file,
                                                                               const TLineList& lines) {
      TLineList half = lines;
      half.Erase(half.size() / 2, half.size() - half.size() / 2);
      sim::Desktop().Schedule(delay / 2, [file, half] { SaveLines(file, half); });
      sim::Desktop().Schedule(delay, [file, lines] { SaveLines(file, lines); });
    };
  }
  mainOwner.onNull = [] {};
  main_ = desktop.Create(MainWindowTitle(engine.DrawingName()), std::string(kMainWindowClass), threadId,
                         kNoWindow, mainOwner);
  const TWindow bar =
      desktop.Create(std::string(kCommandBarTitle), std::string(kCommandBarClass), threadId, main_);
  CreateCommandLine(bar, threadId, engine, true);

  sim::TWindowOwner textOwner;
  textOwner.onCommand = [this](uint32_t commandId) {
    if (commandId == kCopyHistoryCommand) sim::Desktop().clipboardText = engine_.FullHistory();
  };
  text_ = desktop.Create(TextWindowTitle(engine.DrawingName()), std::string(kTextWindowClass), threadId,
                         kNoWindow, textOwner);
  CreateCommandLine(text_, threadId, engine, true);
}

TSimCadWindows::~TSimCadWindows() {
  sim::Desktop().Destroy(text_);
  sim::Desktop().Destroy(main_);
}

// One input of what waits, the next one an input step later.
void TSimCadWindows::StepInput() {
  const bool more = stepped_.Step(engine_);
  RefreshTitles();
  if (!more) return;
  const std::weak_ptr<bool> alive = alive_;
  sim::Desktop().Schedule(static_cast<uint64_t>(timing_.InputStep), [this, alive] {
    if (!alive.expired()) StepInput();
  });
}

void TSimCadWindows::RefreshTitles() {
  sim::Desktop().SetTitle(main_, MainWindowTitle(engine_.DrawingName()));
  sim::Desktop().SetTitle(text_, TextWindowTitle(engine_.DrawingName()));
}

}  // namespace vorbel::cadsim
