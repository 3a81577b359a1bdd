// Headless forms and the application around them: windows without a screen,
// with the classic tool-window frame and a pretended screen.
#include <filesystem>

#include "platform/application.h"
#include "platform/headless/sim_screen.h"
#include "platform/headless/ui_state.h"
#include "platform/ui_backend.h"

namespace vorbel {

namespace {

struct TSimulation {
  std::string title;
  TForm* mainForm = nullptr;
  int screenWidth = 1024;
  int screenHeight = 768;
  int dpi = 96;
  std::string programPath;
};

TSimulation& Simulation() {
  static TSimulation simulation;
  return simulation;
}

void FocusFirst(TForm& form) {
  for (TControl* control : form.TabSequence()) {
    if (control->CanFocus()) {
      control->SetFocus();
      return;
    }
  }
}

}  // namespace

namespace sim {
void SetScreenSize(int width, int height) {
  Simulation().screenWidth = width;
  Simulation().screenHeight = height;
}
void SetScreenDpi(int dpi) { Simulation().dpi = dpi; }
void SetProgramPath(std::string path) { Simulation().programPath = std::move(path); }
}  // namespace sim

// The application.

void InitApplication(std::string_view title) { Simulation().title = std::string(title); }
const std::string& ApplicationTitle() { return Simulation().title; }
TForm* MainForm() { return Simulation().mainForm; }
int RunMessageLoop() { return 0; }
int ScreenWidth() { return Simulation().screenWidth; }
int ScreenHeight() { return Simulation().screenHeight; }

std::string ProgramPath() {
  if (!Simulation().programPath.empty()) return Simulation().programPath;
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

// There is no screen to show the box on: only the test automation sees it.
void ShowErrorBox(std::string_view message) {
  if (UiHooks().errorBox) UiHooks().errorBox(ApplicationTitle(), ErrorBoxText(message));
}

// Without a screen the answer comes from the test automation; unanswered,
// the box takes its default button, as Enter would.
bool AskYesNo(std::string_view question, bool yesIsDefault) {
  if (UiHooks().questionBox) return UiHooks().questionBox(ApplicationTitle(), question, yesIsDefault);
  return yesIsDefault;
}

TBusyCursor::TBusyCursor() = default;
TBusyCursor::~TBusyCursor() = default;

// Forms.

TSize FrameSize(const TForm& form) {
  return TSize{2 * form.Scale(sim::kFrameBorder),
               2 * form.Scale(sim::kFrameBorder) + form.Scale(sim::kToolCaption)};
}

TForm::TForm(const TFormLayout& layout) : layout_(layout), impl_(std::make_unique<TFormImpl>()) {
  impl_->caption = layout.Caption;
  impl_->dpi = Simulation().dpi;
  const TSize frame = FrameSize(*this);
  impl_->normal =
      TRect{0, 0, Scale(layout.Client.Width) + frame.Width, Scale(layout.Client.Height) + frame.Height};
  if (Simulation().mainForm == nullptr) Simulation().mainForm = this;
}

TForm::~TForm() {
  if (Simulation().mainForm == this) Simulation().mainForm = nullptr;
}

bool TForm::IsMainForm() const { return Simulation().mainForm == this; }
std::string TForm::Caption() const { return impl_->caption; }
void TForm::SetCaption(std::string_view caption) { impl_->caption = std::string(caption); }

TRect TForm::Bounds() const {
  // A minimised window stands as a small bar far outside the screen, as on
  // Windows.
  if (impl_->minimized) return TRect{-32000, -32000, 160, 28};
  return impl_->normal;
}

void TForm::SetBounds(const TRect& bounds) { impl_->normal = bounds; }

TSize TForm::ClientSize() const {
  const TSize frame = FrameSize(*this);
  return TSize{std::max(0, impl_->normal.Width - frame.Width),
               std::max(0, impl_->normal.Height - frame.Height)};
}

TRect TForm::NormalBounds() const { return impl_->normal; }
int TForm::Dpi() const { return impl_->dpi; }

void TForm::Show() {
  impl_->visible = true;
  impl_->closed = false;
  if (impl_->focused == nullptr) FocusFirst(*this);
}

// A window owned by the main form is hidden with it while it is minimised.
bool TForm::Visible() const {
  const TForm* main = MainForm();
  return impl_->visible && (main == nullptr || main == this || !main->Minimized());
}
void TForm::Minimize() { impl_->minimized = true; }
void TForm::Restore() { impl_->minimized = false; }
bool TForm::Minimized() const { return impl_->minimized; }

void TForm::Close() {
  if (impl_->closed || !CloseQuery()) return;
  RunEventHandler(OnClose);
  impl_->visible = false;
  impl_->closed = true;
}

bool TForm::Closed() const { return impl_->closed; }

void TForm::ShowModal() {
  const TRect& normal = impl_->normal;
  if (const TForm* owner = MainForm(); owner != nullptr && owner != this) {
    impl_->normal = CentredOver(owner->Bounds(), TSize{normal.Width, normal.Height},
                                TSize{ScreenWidth(), ScreenHeight()});
  }
  impl_->modal = true;
  impl_->focused = nullptr;
  Show();
  // Without a user a dialog closes at once; the test automation may drive it
  // first.
  if (UiHooks().modalLoop) UiHooks().modalLoop(*this);
  Close();
  impl_->modal = false;
}

bool TForm::Modal() const { return impl_->modal; }

void TForm::ShowModeless() {
  if (const TForm* owner = MainForm(); !impl_->shown && owner != nullptr && owner != this) {
    impl_->normal = CentredOver(owner->Bounds(), TSize{impl_->normal.Width, impl_->normal.Height},
                                TSize{ScreenWidth(), ScreenHeight()});
  }
  impl_->shown = true;
  Show();
}
TControl* TForm::FocusedControl() const { return impl_->focused; }

void FocusControl(TControl& control, bool byMouse) {
  if (!control.CanFocus() || control.Focused()) return;
  control.Form().Impl().focused = &control;
  if (!byMouse && control.Kind() == TControlKind::Edit) static_cast<TEdit&>(control).SelectAll();
}

}  // namespace vorbel
