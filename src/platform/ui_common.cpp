// The parts of the controls and forms that are the same on every backend.
#include <algorithm>
#include <stdexcept>

#include "cp932/cp932.h"
#include "platform/application.h"
#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/ui_backend.h"
#include "platform/ui_text.h"

namespace vorbel {

// Text arithmetic.

std::vector<std::string_view> SplitMemoLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t breakAt = text.find("\r\n", start);
    if (breakAt == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, breakAt - start));
    start = breakAt + 2;
  }
  return lines;
}

bool HasLoneLineBreak(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
    } else if (text[i] == '\r' || text[i] == '\n') {
      return true;
    }
  }
  return false;
}

std::string NormalizeLineBreaks(std::string_view text) {
  if (!HasLoneLineBreak(text)) return std::string(text);
  std::string normal;
  normal.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      normal.append("\r\n");
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      normal.push_back(text[i]);
    }
  }
  return normal;
}

size_t CharBoundaryAtOrBefore(std::string_view text, size_t position) {
  position = std::min(position, text.size());
  size_t i = 0;
  while (i < position) {
    const size_t next = i + (IsLeadByte(text[i]) && i + 1 < text.size() ? 2u : 1u);
    if (next > position) break;
    i = next;
  }
  return i;
}

size_t PreviousCharStart(std::string_view text, size_t position) {
  size_t i = 0;
  size_t previous = 0;
  while (i < position && i < text.size()) {
    previous = i;
    i += IsLeadByte(text[i]) && i + 1 < text.size() ? 2u : 1u;
  }
  return previous;
}

std::string AppendedLines(bool afterBreak, const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string insert;
  insert.reserve(size);
  for (const std::string& line : lines) {
    if (!afterBreak) insert.append("\r\n");
    insert.append(line);
    if (afterBreak) insert.append("\r\n");
  }
  return insert;
}

std::string KeyText(unsigned key) {
  if (key > 0xFF) return {static_cast<char>((key >> 8) & 0xFF), static_cast<char>(key & 0xFF)};
  return std::string(1, static_cast<char>(key));
}

std::vector<std::string_view> MemoConversionPieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (!IsLeadByte(text[i]) || i + 1 == text.size()) {
      ++i;
    } else if (text[i + 1] == '\r' || text[i + 1] == '\n') {
      pieces.push_back(text.substr(start, i + 1 - start));
      start = ++i;
    } else {
      i += 2;
    }
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

std::string MemoRoundTrip(std::string_view text) {
  const std::string normal = NormalizeLineBreaks(text);
  const std::vector<std::string_view> pieces = MemoConversionPieces(normal);
  if (pieces.size() == 1) return Cp932RoundTrip(normal);
  std::string held;
  held.reserve(normal.size() + pieces.size());
  for (std::string_view piece : pieces) held += Cp932RoundTrip(piece);
  return held;
}

unsigned TypedKey(unsigned key) {
  if (key < 0x80) return key;
  const std::string text = Cp932RoundTrip(KeyText(key));
  const auto first = static_cast<unsigned char>(text[0]);
  if (IsLeadByte(first) && text.size() > 1) return first * 256u + static_cast<unsigned char>(text[1]);
  return first;
}

// The hooks of the test automation.

TUiHooks& UiHooks() {
  static TUiHooks hooks;
  return hooks;
}

// The error box and the event boundary.

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (text.empty()) return text;
  const size_t last = PreviousCharStart(text, text.size());
  if (static_cast<unsigned char>(text[last]) > static_cast<unsigned char>('.')) text.push_back('.');
  return text;
}

void RunEventHandler(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& error) {
    ShowErrorBox(error.what());
  } catch (...) {
    ShowErrorBox("?");
  }
}

// Controls.

const std::string& TControl::Name() const { return layout_.Name; }
TControlKind TControl::Kind() const { return layout_.Kind; }
TForm& TControl::Form() const { return form_; }
const TControlLayout& TControl::Layout() const { return layout_; }

std::string TCustomEdit::SelText() const { return Text().substr(SelStart(), SelLength()); }

std::vector<std::string> TMemo::Lines() const {
  const std::string text = Text();
  std::vector<std::string> lines;
  for (std::string_view line : SplitMemoLines(text)) lines.emplace_back(line);
  return lines;
}

void TMemo::AddLine(std::string_view line) { AddLines({std::string(line)}); }

TMenuItem& TPopupMenu::Add(std::string_view name, std::string_view caption) {
  items_.push_back(TMenuItem{std::string(name), std::string(caption), true, {}, false, false});
  return items_.back();
}

void TPopupMenu::Choose(TMenuItem& item) {
  if (!item.Enabled || item.IsSeparator()) return;
  if (item.AutoCheck) item.Checked = !item.Checked;
  RunEventHandler(item.OnClick);
}

TMenuItem& TPopupMenu::Item(std::string_view name) {
  for (TMenuItem& item : items_) {
    if (item.Name == name) return item;
  }
  throw std::logic_error("no menu item " + std::string(name));
}

// Forms.

TRect DesignBoundsInForm(const TForm& form, const TControlLayout& layout) {
  TRect bounds = layout.Bounds;
  for (const TControlLayout* parent = &layout; !parent->Parent.empty();) {
    parent = &form.ControlLayout(parent->Parent);
    bounds.Left += parent->Bounds.Left;
    bounds.Top += parent->Bounds.Top;
  }
  return bounds;
}

TControl* CancelButtonOf(const TForm& form) {
  const std::string& name = form.Layout().CancelButton;
  if (name.empty()) return nullptr;
  for (TControl* control : form.Controls()) {
    if (control->Name() == name && control->Kind() == TControlKind::Button) return control;
  }
  return nullptr;
}

bool TakesFocus(TControlKind kind) { return kind != TControlKind::Label && kind != TControlKind::GroupBox; }

int ComboIndexOf(const std::vector<std::string>& items, std::string_view text) {
  const auto at = std::find(items.begin(), items.end(), text);
  return at == items.end() ? -1 : static_cast<int>(at - items.begin());
}

const TFormLayout& TForm::Layout() const { return layout_; }

const TControlLayout& TForm::ControlLayout(std::string_view name) const {
  for (const TControlLayout& control : layout_.Controls) {
    if (control.Name == name) return control;
  }
  throw std::logic_error("no control " + std::string(name) + " in the layout of " + layout_.ClassName);
}

void TForm::SetLeft(int left) {
  TRect bounds = Bounds();
  bounds.Left = left;
  SetBounds(bounds);
}

void TForm::SetTop(int top) {
  TRect bounds = Bounds();
  bounds.Top = top;
  SetBounds(bounds);
}

void TForm::SetWidth(int width) {
  TRect bounds = Bounds();
  bounds.Width = width;
  SetBounds(bounds);
}

void TForm::SetHeight(int height) {
  TRect bounds = Bounds();
  bounds.Height = height;
  SetBounds(bounds);
}

namespace {
// a * b / c rounded to the nearest, halves away from zero.
int MulDivRound(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}
}  // namespace

bool TForm::CloseQuery() {
  if (!OnCloseQuery) return true;
  // Stays false when the handler fails: a close the program could not
  // decide on does not happen.
  bool mayClose = false;
  RunEventHandler([&] {
    bool canClose = true;
    OnCloseQuery(canClose);
    mayClose = canClose;
  });
  return mayClose;
}

int TForm::Scale(int pixelsAt96) const { return MulDivRound(pixelsAt96, Dpi(), 96); }
int TForm::Unscale(int pixels) const { return MulDivRound(pixels, 96, Dpi()); }

std::vector<TControl*> TForm::TabSequence() const {
  // Controls of one parent ordered by tab order; a group box stands for its
  // members.
  std::vector<TControl*> sequence;
  const auto appendChildren = [&](const std::string& parent, const auto& self) -> void {
    std::vector<TControl*> children;
    for (TControl* control : controls_) {
      if (control->Layout().Parent == parent && control->Layout().TabOrder >= 0) children.push_back(control);
    }
    std::stable_sort(children.begin(), children.end(), [](const TControl* a, const TControl* b) {
      return a->Layout().TabOrder < b->Layout().TabOrder;
    });
    for (TControl* child : children) {
      if (child->Kind() == TControlKind::GroupBox) {
        self(child->Name(), self);
      } else {
        sequence.push_back(child);
      }
    }
  };
  appendChildren(std::string(), appendChildren);
  return sequence;
}

TControl* TForm::NextInTabOrder(const TControl& from) const {
  const std::vector<TControl*> sequence = TabSequence();
  const auto at = std::find(sequence.begin(), sequence.end(), &from);
  if (at == sequence.end()) return nullptr;
  for (size_t step = 1; step < sequence.size(); ++step) {
    const size_t index = (static_cast<size_t>(at - sequence.begin()) + step) % sequence.size();
    if (sequence[index]->CanFocus()) return sequence[index];
  }
  return nullptr;
}

TRect CentredOver(const TRect& owner, TSize dialog, TSize screen) {
  // A dialog wider than its owner would run off the screen when the tool
  // stands at the screen's edge: it stops at the edge instead.
  const auto place = [](int centred, int size, int room) {
    return std::max(0, std::min(centred, room - size));
  };
  return TRect{place(owner.Left + (owner.Width - dialog.Width) / 2, dialog.Width, screen.Width),
               place(owner.Top + (owner.Height - dialog.Height) / 2, dialog.Height, screen.Height),
               dialog.Width, dialog.Height};
}

TRect Anchored(const TRect& design, unsigned anchors, int dx, int dy) {
  TRect bounds = design;
  if (anchors & kAnchorRight) {
    if (anchors & kAnchorLeft) {
      bounds.Width += dx;
    } else {
      bounds.Left += dx;
    }
  }
  if (anchors & kAnchorBottom) {
    if (anchors & kAnchorTop) {
      bounds.Height += dy;
    } else {
      bounds.Top += dy;
    }
  }
  bounds.Width = std::max(0, bounds.Width);
  bounds.Height = std::max(0, bounds.Height);
  return bounds;
}

}  // namespace vorbel
