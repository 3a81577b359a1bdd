// The automation that is the same on every backend.
#include "platform/ui_automation.h"

#include <utility>

#include "cp932/cp932.h"
#include "platform/application.h"
#include "platform/controls.h"
#include "platform/ui_automation_store.h"
#include "platform/ui_backend.h"

namespace vorbel {

namespace {

std::vector<TErrorBoxRecord>& ErrorBoxes() {
  static std::vector<TErrorBoxRecord> boxes;
  return boxes;
}

std::vector<TQuestionRecord>& Questions() {
  static std::vector<TQuestionRecord> questions;
  return questions;
}

bool& Answer() {
  static bool yes = false;
  return yes;
}

bool KeepQuestion(std::string_view caption, std::string_view text, bool yesIsDefault) {
  Questions().push_back(TQuestionRecord{std::string(caption), std::string(text), yesIsDefault});
  return Answer();
}

}  // namespace

void KeepErrorBox(std::string_view caption, std::string_view text) {
  ErrorBoxes().push_back(TErrorBoxRecord{std::string(caption), std::string(text)});
}

void AnswerQuestions(bool yes) {
  Answer() = yes;
  UiHooks().questionBox = KeepQuestion;
}

void StopAnsweringQuestions() { UiHooks().questionBox = nullptr; }

std::vector<TQuestionRecord> TakeQuestions() {
  std::vector<TQuestionRecord> questions;
  questions.swap(Questions());
  return questions;
}

std::function<void(TForm&)>& ModalDriver() {
  static std::function<void(TForm&)> driver;
  return driver;
}

std::vector<TErrorBoxRecord> TakeErrorBoxes() {
  std::vector<TErrorBoxRecord> boxes;
  boxes.swap(ErrorBoxes());
  return boxes;
}

void SetModalDriver(std::function<void(TForm&)> driver) {
  ModalDriver() = std::move(driver);
  UiHooks().modalLoop = ModalDriver() ? StartModalDriver : nullptr;
}

void TypeText(TCustomEdit& edit, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned key = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(text[i]) && i + 1 < text.size()) {
      key = key * 256 + static_cast<unsigned char>(text[++i]);
    }
    TypeKey(edit, key);
  }
}

void ChooseMenuItem(TMemo& memo, std::string_view itemName) {
  TPopupMenu* menu = memo.PopupMenu();
  if (menu == nullptr || !memo.Enabled()) return;
  RunEventHandler(menu->OnPopup);
  TPopupMenu::Choose(menu->Item(itemName));
}

}  // namespace vorbel
