// The application around the forms: its title, the message loop, the screen,
// the program's own path, and the event boundary with the standard error
// box.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vorbel {

class TForm;

// Initialises the windowing (visual styles, DPI awareness) and sets the
// application's title, the caption of the standard error box and of the
// program's task-bar button (on Windows the application window, which owns
// the main form).
void InitApplication(std::string_view title);
const std::string& ApplicationTitle();

// The main form (the first form made), or null.
TForm* MainForm();

// Runs the message loop until the main form is closed; returns the exit code.
int RunMessageLoop();

// The primary screen in pixels.
int ScreenWidth();
int ScreenHeight();

// The path of the running program, code page 932.
std::string ProgramPath();

// The text the standard error box shows for a message: the message with "."
// appended unless its last character sorts at or below "." (code page 932,
// the character's first byte counts).
std::string ErrorBoxText(std::string_view message);

// The standard error box: captioned with the application title, stop icon,
// OK button; modal to the active form.
void ShowErrorBox(std::string_view message);

// The question box: captioned with the application title, question icon,
// the buttons はい and いいえ, the one that Enter presses chosen by
// `yesIsDefault`; modal to the active form. True when the user answered はい.
bool AskYesNo(std::string_view question, bool yesIsDefault);

// The wait cursor while the object lives: the program is busy for more than
// a moment (a large export, filling the memo, writing an update).
class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  void* previous_ = nullptr;
};

// The event boundary: runs a handler and shows an exception that escapes it
// in the standard error box. Every event of every control and form runs
// through here, so no exception leaves an event.
void RunEventHandler(const std::function<void()>& handler);

}  // namespace vorbel
