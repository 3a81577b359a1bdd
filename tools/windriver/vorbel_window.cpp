#include "windriver/vorbel_window.h"

#include <algorithm>

#include "platform/win32/text_codec.h"
#include "windriver/window_driver.h"

namespace vorbel::windriver {

namespace {

int TopOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.top;
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

bool TVorbelWindow::Complete() const {
  for (HWND control : {form, select, sort, update, make, close, checkXpit, checkYpit, checkXYpit, memo, edit1,
                       edit2, label1, label3}) {
    if (control == nullptr) return false;
  }
  return true;
}

std::vector<std::string> TVorbelWindow::MemoLines() const { return SplitLines(TextOf(memo)); }
bool TVorbelWindow::Minimized() const { return IsIconic(form) != FALSE || IsWindowVisible(form) == FALSE; }
bool TVorbelWindow::Enabled(HWND control) const { return IsWindowEnabled(control) != FALSE; }
bool TVorbelWindow::Checked(HWND control) const { return Send(control, BM_GETCHECK) == BST_CHECKED; }
void TVorbelWindow::Click(HWND control) const { Send(control, BM_CLICK); }
void TVorbelWindow::SetText(HWND edit, const std::string& text) const { SetTextOf(edit, text); }

void TVorbelWindow::PasteIntoMemo(const std::string& text) const {
  Send(memo, EM_SETSEL, 0, -1);
  const std::wstring wide = Cp932ToWide(text);
  Send(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

TVorbelWindow VorbelControls(HWND form) {
  TVorbelWindow w;
  w.form = form;
  std::vector<HWND> edits;
  std::vector<HWND> counters;
  for (HWND child : Children(form)) {
    const std::string className = ClassOf(child);
    const std::string text = TextOf(child);
    if (_stricmp(className.c_str(), "Button") == 0) {
      if (text == "選択") w.select = child;
      if (text == "座標順") w.sort = child;
      if (text == "更新") w.update = child;
      if (text == "作成") w.make = child;
      if (text == "終了") w.close = child;
      if (text == "縦整列(dX=0)") w.checkXpit = child;
      if (text == "横整列(dY=0)") w.checkYpit = child;
      if (text == "XY間隔を更新") w.checkXYpit = child;
    } else if (_stricmp(className.c_str(), "Edit") == 0) {
      if ((GetWindowLongPtrW(child, GWL_STYLE) & ES_MULTILINE) != 0) {
        w.memo = child;
      } else {
        edits.push_back(child);
      }
    } else if (_stricmp(className.c_str(), "Static") == 0 && text == "0") {
      counters.push_back(child);
    }
  }
  const auto byTop = [](HWND a, HWND b) { return TopOf(a) < TopOf(b); };
  std::sort(edits.begin(), edits.end(), byTop);
  std::sort(counters.begin(), counters.end(), byTop);
  if (edits.size() == 2) {
    w.edit1 = edits[0];
    w.edit2 = edits[1];
  }
  if (counters.size() == 2) {
    w.label1 = counters[0];
    w.label3 = counters[1];
  }
  return w;
}

TVorbelProgram::TVorbelProgram(const std::filesystem::path& exe, const std::filesystem::path& folder,
                               const std::string& settings, const std::vector<std::string>& arguments) {
  const std::filesystem::path copy = folder / "vorbel.exe";
  std::error_code error;
  if (!std::filesystem::equivalent(exe, copy, error)) {
    std::filesystem::copy_file(exe, copy, std::filesystem::copy_options::overwrite_existing, error);
  }
  if (!settings.empty()) WriteBytes(folder / "vorbel.ini", settings);
  process_ = std::make_unique<TProcess>(copy, arguments, folder);
  if (!process_->Started()) return;
  const HWND form = WaitForProcessWindow(process_->Id(), L"TForm1", L"Vorbel Ver.1.12");
  if (form != nullptr) window_ = VorbelControls(form);
}

long TVorbelProgram::Close() {
  PostMessageW(window_.form, WM_CLOSE, 0, 0);
  return process_->WaitForExit(kPatience);
}

}  // namespace vorbel::windriver
