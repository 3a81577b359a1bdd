#include "win32/shell.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <unordered_set>

#include "base/files.h"
#include "engine/cad_windows.h"
#include "engine/geometry.h"
#include "platform/win32/text_codec.h"

namespace vorbel::cadsim {

namespace {

const wchar_t kPlanViewClass[] = L"CadSimPlanView";
constexpr int kListId = 101;
constexpr int kEditId = 102;
constexpr int kLineHeight = 18;
constexpr int kEditHeight = 24;
constexpr int kRecentLinesShown = 3;
// A click picks what lies within this many pixels.
constexpr double kPickPixels = 6;
constexpr int kClipboardAttempts = 20;
// Scheduled work is looked at this often (milliseconds) while there is some.
constexpr UINT_PTR kScheduleTimer = 1;
constexpr UINT kScheduleTimerPeriod = 5;
constexpr UINT kRunDueWork = WM_APP + 1;

std::wstring Wide(std::string_view text) { return Cp932ToWide(text); }

std::string Coordinate(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
  return std::string(buffer, result.ptr);
}

// The last `count` lines of a history whose lines end with CR LF, without
// the last line break.
std::string LastLines(std::string history, int count) {
  if (history.ends_with("\r\n")) history.resize(history.size() - 2);
  size_t start = history.size();
  for (int found = 0; start > 0;) {
    if (history[start - 1] == '\n' && ++found == count) break;
    --start;
  }
  return history.substr(start);
}

}  // namespace

TShell::TShell(HINSTANCE instance, TCadEngine& engine, TCadTiming timing)
    : instance_(instance), engine_(engine), timing_(timing) {
  if (timing_.ExportDelay >= 0) {
    engine_.WriteExport = [this](const std::string& file, const TLineList& lines) {
      WriteExportLater(file, lines);
    };
  }
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  font_.reset(CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"MS Gothic"));
  RegisterClasses();
  CreateWindows();
}

void TShell::RegisterClasses() {
  auto add = [this](std::string_view name, UINT style, int brush) {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = style;
    description.lpfnWndProc = WindowProc;
    description.hInstance = instance_;
    description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    description.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    description.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(brush));
    classes_.push_back(std::make_unique<TWindowClass>(instance_, Wide(name), description));
  };
  add(kMainWindowClass, CS_DBLCLKS, COLOR_BTNFACE + 1);
  add(kTextWindowClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, COLOR_WINDOW + 1);
  add(kCommandBarClass, 0, COLOR_BTNFACE + 1);
  add(kCommandLineClass, CS_HREDRAW | CS_VREDRAW, COLOR_WINDOW + 1);
  WNDCLASSEXW plan{};
  plan.cbSize = sizeof plan;
  plan.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  plan.lpfnWndProc = WindowProc;
  plan.hInstance = instance_;
  plan.hCursor = LoadCursorW(nullptr, IDC_CROSS);
  classes_.push_back(std::make_unique<TWindowClass>(instance_, kPlanViewClass, plan));
}

HWND TShell::CreateChild(HWND parent, const std::wstring& className, const std::string& title, DWORD style,
                         int id) {
  return CreateWindowExW(0, className.c_str(), Wide(title).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10,
                         10, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, this);
}

void TShell::CreateWindows() {
  const std::string name = engine_.DrawingName();
  main_.reset(CreateWindowExW(0, Wide(kMainWindowClass).c_str(), Wide(MainWindowTitle(name)).c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 960, 640, nullptr, nullptr,
                              instance_, this));
  planView_ = CreateChild(main_.get(), kPlanViewClass, "", WS_BORDER);
  list_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL, 0, 0, 10, 10,
      main_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance_, nullptr);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const struct {
    const char* caption;
    int width;
  } columns[] = {{"種類", 64}, {"ハンドル", 56}, {"X", 78}, {"Y", 78}, {"文字列", 112}, {"選択", 40}};
  int index = 0;
  for (const auto& column : columns) {
    std::wstring caption = Wide(column.caption);
    LVCOLUMNW description{};
    description.mask = LVCF_TEXT | LVCF_WIDTH;
    description.pszText = caption.data();
    description.cx = column.width;
    SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index++),
                 reinterpret_cast<LPARAM>(&description));
  }
  bar_ = CreateChild(main_.get(), Wide(kCommandBarClass), std::string(kCommandBarTitle), 0);
  barHistory_ = CreateChild(bar_, Wide(kCommandLineClass), std::string(kHistoryWindowTitle), 0);
  barPrompt_ = CreateChild(bar_, Wide(kCommandLineClass), std::string(kPromptWindowTitle), 0);
  edit_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10,
                      bar_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), instance_, nullptr);

  text_.reset(CreateWindowExW(0, Wide(kTextWindowClass).c_str(), Wide(TextWindowTitle(name)).c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 650, 960, 340, nullptr, nullptr,
                              instance_, this));
  textHistory_ = CreateChild(text_.get(), Wide(kCommandLineClass), std::string(kHistoryWindowTitle), 0);
  textHistoryEdit_ = CreateWindowExW(
      0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
      10, 10, textHistory_, nullptr, instance_, nullptr);
  textPrompt_ = CreateChild(text_.get(), Wide(kCommandLineClass), std::string(kPromptWindowTitle), 0);

  for (HWND window : {list_, edit_, textHistoryEdit_}) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  }
  shownName_ = name;
  Layout();
  LayoutTextWindow();
  Refresh();
}

void TShell::Layout() {
  if (!main_ || !bar_) return;
  RECT client;
  GetClientRect(main_.get(), &client);
  const int width = client.right;
  const int barHeight = kRecentLinesShown * kLineHeight + kLineHeight + kEditHeight + 8;
  const int top = std::max(0, static_cast<int>(client.bottom) - barHeight);
  const int planWidth = width * 55 / 100;
  MoveWindow(planView_, 0, 0, planWidth, top, TRUE);
  MoveWindow(list_, planWidth, 0, width - planWidth, top, TRUE);
  MoveWindow(bar_, 0, top, width, barHeight, TRUE);
  MoveWindow(barHistory_, 2, 2, width - 4, kRecentLinesShown * kLineHeight, TRUE);
  MoveWindow(barPrompt_, 2, 2 + kRecentLinesShown * kLineHeight, width - 4, kLineHeight, TRUE);
  MoveWindow(edit_, 2, 4 + (kRecentLinesShown + 1) * kLineHeight, width - 4, kEditHeight, TRUE);
}

void TShell::LayoutTextWindow() {
  if (!text_ || !textPrompt_) return;
  RECT client;
  GetClientRect(text_.get(), &client);
  const int historyHeight = std::max(0, static_cast<int>(client.bottom) - kLineHeight);
  MoveWindow(textHistory_, 0, 0, client.right, historyHeight, TRUE);
  MoveWindow(textHistoryEdit_, 0, 0, client.right, historyHeight, TRUE);
  MoveWindow(textPrompt_, 0, historyHeight, client.right, kLineHeight, TRUE);
}

int TShell::Run() {
  ShowWindow(text_.get(), SW_SHOWNOACTIVATE);
  ShowWindow(main_.get(), SW_SHOW);
  SetFocus(edit_);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

bool TShell::PreTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam == VK_F2) {
    ShowWindow(text_.get(), IsWindowVisible(text_.get()) ? SW_HIDE : SW_SHOWNOACTIVATE);
    return true;
  }
  if (message.hwnd != edit_) return false;
  if (message.wParam == VK_RETURN) {
    SendTypedLine();
    return true;
  }
  if (message.wParam == VK_ESCAPE) {
    SetWindowTextW(edit_, L"");
    engine_.Type("\x03");
    Refresh();
    return true;
  }
  return false;
}

void TShell::SendTypedLine() {
  const int length = GetWindowTextLengthW(edit_);
  std::wstring typed(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(edit_, typed.data(), length + 1);
  typed.resize(static_cast<size_t>(length));
  SetWindowTextW(edit_, L"");
  // The line as keystrokes: its blanks end inputs as they would at the CAD
  // program's command line, and Enter ends the last one.
  engine_.Type(WideToCp932(typed) + "\r");
  Refresh();
}

LRESULT CALLBACK TShell::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* shell = reinterpret_cast<TShell*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (shell == nullptr || message == WM_NCCREATE || message == WM_NCDESTROY) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return shell->OnMessage(window, message, wParam, lParam);
  } catch (const std::exception& error) {
    // Nothing may leave a window procedure: the failure goes into the history.
    shell->engine_.Report(error.what());
    return 0;
  }
}

LRESULT TShell::AnswerText(const std::string& text, UINT message, WPARAM wParam, LPARAM lParam) const {
  const std::wstring wide = Wide(text);
  if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(wide.size());
  if (wParam == 0 || lParam == 0) return 0;
  const size_t count = std::min(wide.size(), static_cast<size_t>(wParam) - 1);
  auto* buffer = reinterpret_cast<wchar_t*>(lParam);
  std::copy_n(wide.data(), count, buffer);
  buffer[count] = L'\0';
  return static_cast<LRESULT>(count);
}

LRESULT TShell::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool isPrompt = window == barPrompt_ || window == textPrompt_;
  const bool isHistory = window == barHistory_ || window == textHistory_;
  switch (message) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      // The command-line windows answer with what they show, not with their captions.
      if (isPrompt) return AnswerText(engine_.PromptText(), message, wParam, lParam);
      if (isHistory) return AnswerText(engine_.RecentHistory(), message, wParam, lParam);
      break;
    case WM_COPYDATA:
      if (window == main_.get() && lParam != 0) {
        OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
      }
      break;
    case WM_COMMAND:
      if (window == text_.get() && LOWORD(wParam) == kCopyHistoryCommand && lParam == 0) {
        CopyHistoryToClipboard();
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (window == main_.get() && lParam != 0) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == list_ && header->code == LVN_GETDISPINFOW) {
          OnListGetInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
          return 0;
        }
        if (header->hwndFrom == list_ && header->code == NM_DBLCLK) {
          OnListDoubleClick(reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem);
          return 0;
        }
      }
      break;
    case WM_TIMER:
      if (window == main_.get() && wParam == kScheduleTimer) {
        RunDueWork();
        return 0;
      }
      break;
    case kRunDueWork:
      if (window == main_.get()) {
        RunDueWork();
        return 0;
      }
      break;
    case WM_SIZE:
      if (window == main_.get()) Layout();
      if (window == text_.get()) LayoutTextWindow();
      break;
    case WM_ERASEBKGND:
      if (window == planView_) return 1;
      break;
    case WM_PAINT:
      if (window == planView_) {
        const TPaint paint(window);
        RECT client;
        GetClientRect(window, &client);
        const TMemoryDc memory(CreateCompatibleDC(paint.Dc()));
        const TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(paint.Dc(), client.right, client.bottom));
        const TSelectObject useBitmap(memory.get(), bitmap.get());
        const std::vector<std::string> pending = engine_.PendingSelection();
        plan_.Paint(memory.get(), client, engine_.Drawing(), {pending.begin(), pending.end()});
        BitBlt(paint.Dc(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        return 0;
      }
      if (isPrompt) {
        PaintPrompt(window);
        return 0;
      }
      if (window == barHistory_) {
        PaintRecentLines(window);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      if (window == planView_) {
        OnPlanClick({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (window == main_.get()) {
        SetFocus(edit_);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (window == text_.get()) {
        // As the CAD program's text window: closing hides it (F2 brings it back).
        ShowWindow(window, SW_HIDE);
        return 0;
      }
      if (window == main_.get()) {
        PostQuitMessage(0);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void TShell::OnCopyData(const COPYDATASTRUCT& record) {
  const std::string_view bytes =
      record.lpData == nullptr ? std::string_view()
                               : std::string_view(static_cast<const char*>(record.lpData), record.cbData);
  if (timing_.InputStep >= 0) {
    // One input at a time from the message loop, the prompts on show between.
    if (stepped_.Add(record.dwData, bytes)) {
      Schedule(timing_.InputDelay >= 0 ? timing_.InputDelay : timing_.InputStep, [this] { StepInput(); });
    }
    return;
  }
  if (timing_.InputDelay < 0) {
    // Carried out before the message returns.
    engine_.OnCopyData(record.dwData, bytes);
    Refresh();
    return;
  }
  // Queued as typed input is: carried out from the message loop later.
  Schedule(timing_.InputDelay, [this, dwData = record.dwData, copy = std::string(bytes)] {
    engine_.OnCopyData(dwData, copy);
    Refresh();
  });
}

void TShell::StepInput() {
  const bool more = stepped_.Step(engine_);
  Refresh();
  if (more) Schedule(timing_.InputStep, [this] { StepInput(); });
}

void TShell::Schedule(int delayMs, std::function<void()> work) {
  scheduled_.emplace(std::make_pair(GetTickCount64() + static_cast<ULONGLONG>(delayMs), scheduledCount_++),
                     std::move(work));
  PostMessageW(main_.get(), kRunDueWork, 0, 0);
  SetTimer(main_.get(), kScheduleTimer, kScheduleTimerPeriod, nullptr);
}

void TShell::RunDueWork() {
  while (!scheduled_.empty() && scheduled_.begin()->first.first <= GetTickCount64()) {
    std::function<void()> work = std::move(scheduled_.begin()->second);
    scheduled_.erase(scheduled_.begin());
    try {
      work();
    } catch (const std::exception& error) {
      engine_.Report(error.what());
    }
  }
  if (scheduled_.empty()) KillTimer(main_.get(), kScheduleTimer);
}

void TShell::WriteExportLater(const std::string& file, const TLineList& lines) {
  // First a file cut in half, as a slow disk shows it while it is written,
  // then the whole file.
  TLineList half = lines;
  half.Erase(half.size() / 2, half.size() - half.size() / 2);
  Schedule(timing_.ExportDelay / 2, [file, half] { SaveLines(file, half); });
  Schedule(timing_.ExportDelay, [file, lines] { SaveLines(file, lines); });
}

void TShell::CopyHistoryToClipboard() {
  const std::wstring history = Wide(engine_.FullHistory());
  for (int attempt = 0; attempt < kClipboardAttempts; ++attempt) {
    const TOpenClipboard clipboard(text_.get());
    if (!clipboard.IsOpen()) {
      Sleep(10);
      continue;
    }
    EmptyClipboard();
    TGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, (history.size() + 1) * sizeof(wchar_t)));
    if (!memory) return;
    auto* data = static_cast<wchar_t*>(GlobalLock(memory.get()));
    if (data == nullptr) return;
    std::copy_n(history.c_str(), history.size() + 1, data);
    GlobalUnlock(memory.get());
    // The clipboard owns the memory once it took it.
    if (SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr) memory.release();
    return;
  }
}

void TShell::OnPlanClick(POINT at) {
  RECT client;
  GetClientRect(planView_, &client);
  const TPoint2 point = plan_.ToDrawing(client, at);
  if (engine_.IsSelecting()) {
    engine_.PickAt(point, kPickPixels * plan_.UnitsPerPixel(client));
  } else if (engine_.WantsPoint()) {
    engine_.PlacePoint({point.X, point.Y, 0});
  }
  Refresh();
}

void TShell::OnListGetInfo(NMLVDISPINFOW& info) {
  if ((info.item.mask & LVIF_TEXT) == 0 || info.item.pszText == nullptr || info.item.cchTextMax <= 0) return;
  const auto& entities = engine_.Drawing().Entities();
  if (info.item.iItem < 0 || static_cast<size_t>(info.item.iItem) >= entities.size()) return;
  const TEntity& entity = entities[static_cast<size_t>(info.item.iItem)];
  std::string text;
  const auto position = EntityPosition(entity);
  switch (info.item.iSubItem) {
    case 0:
      text = EntityType(entity);
      break;
    case 1:
      text = entity.Handle;
      break;
    case 2:
      text = position ? Coordinate(position->X) : "";
      break;
    case 3:
      text = position ? Coordinate(position->Y) : "";
      break;
    case 4:
      text = EntityString(entity);
      break;
    case 5: {
      const std::vector<std::string> pending = engine_.PendingSelection();
      if (std::find(pending.begin(), pending.end(), entity.Handle) != pending.end()) text = "●";
      break;
    }
    default:
      break;
  }
  listText_ = Wide(text);
  lstrcpynW(info.item.pszText, listText_.c_str(), info.item.cchTextMax);
}

void TShell::OnListDoubleClick(int item) {
  const auto& entities = engine_.Drawing().Entities();
  if (item < 0 || static_cast<size_t>(item) >= entities.size()) return;
  engine_.Pick(entities[static_cast<size_t>(item)].Handle);
  Refresh();
}

void TShell::PaintPrompt(HWND window) const {
  const TPaint paint(window);
  RECT client;
  GetClientRect(window, &client);
  const TSelectObject useFont(paint.Dc(), font_.get());
  SetBkMode(paint.Dc(), TRANSPARENT);
  const std::wstring prompt = Wide(engine_.PromptText());
  DrawTextW(paint.Dc(), prompt.c_str(), static_cast<int>(prompt.size()), &client,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TShell::PaintRecentLines(HWND window) const {
  const TPaint paint(window);
  RECT client;
  GetClientRect(window, &client);
  const TSelectObject useFont(paint.Dc(), font_.get());
  SetBkMode(paint.Dc(), TRANSPARENT);
  const std::wstring lines = Wide(LastLines(engine_.RecentHistory(), kRecentLinesShown));
  DrawTextW(paint.Dc(), lines.c_str(), static_cast<int>(lines.size()), &client,
            DT_LEFT | DT_BOTTOM | DT_NOPREFIX);
}

void TShell::Refresh() {
  if (!main_ || !text_) return;
  const std::string name = engine_.DrawingName();
  if (name != shownName_) {
    shownName_ = name;
    SetWindowTextW(main_.get(), Wide(MainWindowTitle(name)).c_str());
    SetWindowTextW(text_.get(), Wide(TextWindowTitle(name)).c_str());
  }
  if (engine_.DrawingVersion() != shownVersion_) {
    shownVersion_ = engine_.DrawingVersion();
    ListView_SetItemCountEx(list_, static_cast<int>(engine_.Drawing().size()), LVSICF_NOSCROLL);
    plan_.ZoomExtents(engine_.Drawing());
  }
  const std::string history = engine_.FullHistory();
  if (history != shownHistory_) {
    shownHistory_ = history;
    SetWindowTextW(textHistoryEdit_, Wide(history).c_str());
    const LRESULT end = SendMessageW(textHistoryEdit_, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(textHistoryEdit_, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(textHistoryEdit_, EM_SCROLLCARET, 0, 0);
  }
  for (HWND window : {planView_, list_, barPrompt_, barHistory_, textPrompt_})
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace vorbel::cadsim
