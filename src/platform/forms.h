// A form: a top-level window built from a layout table (ui_types.h) whose
// controls are members of the program's form class (controls.h).
//
// The first form made is the application's main form: a stay-on-top,
// sizeable tool window whose message loop (application.h) runs until it is
// closed, and which is minimised and restored with the application. Later
// forms are owned by the main form: dialogs, shown modally and centred over
// the main form, or windows shown beside it without a modal loop (ShowModeless).
// Sizes and positions are in the form's current pixels; the layout's
// 96-DPI values are scaled to the DPI of the window's monitor.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui_types.h"

namespace vorbel {

class TControl;
class TTimer;
struct TFormImpl;

class TForm {
 public:
  // Makes the window, hidden; the controls follow as members of the derived
  // form.
  explicit TForm(const TFormLayout& layout);
  ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  const TFormLayout& Layout() const;
  const TControlLayout& ControlLayout(std::string_view name) const;
  bool IsMainForm() const;

  std::string Caption() const;
  void SetCaption(std::string_view caption);

  // The window's outer bounds on the screen.
  TRect Bounds() const;
  void SetBounds(const TRect& bounds);
  int Left() const { return Bounds().Left; }
  int Top() const { return Bounds().Top; }
  int Width() const { return Bounds().Width; }
  int Height() const { return Bounds().Height; }
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  TSize ClientSize() const;

  // The bounds the window has, or returns to, in the normal state: its
  // bounds before it was minimised while it is minimised.
  TRect NormalBounds() const;

  // Dots per inch of the window's monitor, and conversions of a length
  // between 96-DPI pixels and the window's pixels (rounded to the nearest).
  int Dpi() const;
  int Scale(int pixelsAt96) const;
  int Unscale(int pixels) const;

  void Show();
  bool Visible() const;
  void Minimize();
  void Restore();
  bool Minimized() const;

  // What the caption bar's close button, Alt+F4 and (for the main form) the
  // task-bar button's close do: asks CloseQuery, and when the form may close
  // runs OnClose and hides the window; the main form thereby ends the
  // message loop, a dialog its modal loop.
  void Close();
  bool Closed() const;
  // Whether the form may close: OnCloseQuery's answer, asked also when
  // Windows asks the program whether the session may end (WM_QUERYENDSESSION).
  // An exception in the handler refuses the close.
  bool CloseQuery();
  // Shows the form as a modal dialog, centred over the main form (each
  // coordinate raised to 0 when negative), with the focus on the first
  // control in tab order that can take it; returns when it has been closed.
  void ShowModal();
  bool Modal() const;
  // Shows the form without a modal loop and returns at once: a window owned
  // by the main form (above it, minimised and restored with it), centred
  // over the main form the first time it is shown. The program goes on with
  // both windows usable; Close hides it and never ends the program, and
  // ShowModeless shows it again where it was.
  void ShowModeless();

  TControl* FocusedControl() const;
  // The next control after `from` in tab order that can take the focus.
  TControl* NextInTabOrder(const TControl& from) const;
  // The controls in tab order (group-box members in their box's place).
  std::vector<TControl*> TabSequence() const;

  // Sets `canClose` (true on entry) to false to refuse a close.
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void()> OnClose;

  TFormImpl& Impl() const { return *impl_; }
  const std::vector<TControl*>& Controls() const { return controls_; }
  const std::vector<TTimer*>& Timers() const { return timers_; }

 private:
  friend class TControl;
  friend class TTimer;

  TFormLayout layout_;
  std::vector<TControl*> controls_;  // in the order they were made
  std::vector<TTimer*> timers_;
  std::unique_ptr<TFormImpl> impl_;
};

// The position of a dialog centred over its owner: left = owner's left +
// (owner's width - dialog's width) div 2, top likewise, each moved back so
// that the dialog ends on the screen and raised to 0 when negative.
TRect CentredOver(const TRect& owner, TSize dialog, TSize screen);

// Where a control anchored within a parent stands when the parent's client
// area has grown by (dx, dy) beyond its design size.
TRect Anchored(const TRect& design, unsigned anchors, int dx, int dy);

}  // namespace vorbel
