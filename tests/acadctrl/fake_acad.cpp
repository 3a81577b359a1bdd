#include "fake_acad.h"

#include <utility>

namespace vorbel::test {

sim::TWindowOwner AnsweringWith(std::function<std::string()> text) {
  sim::TWindowOwner owner;
  owner.onGetText = std::move(text);
  return owner;
}

sim::TWindowOwner CommandedBy(std::function<void(uint32_t commandId)> command) {
  sim::TWindowOwner owner;
  owner.onCommand = std::move(command);
  return owner;
}

TFakeAcad::TFakeAcad(uint32_t threadId) {
  auto& desktop = sim::Desktop();
  sim::TWindowOwner mainOwner;
  mainOwner.onCopyData = [this](std::uintptr_t dwData, std::string_view bytes) {
    if (dwData != 1) return;
    inputs.emplace_back(bytes.substr(0, bytes.find('\0')));
    if (onInput) onInput(inputs.back());
  };
  mainWnd = desktop.Create(kMainTitle, kMainClass, threadId, kNoWindow, mainOwner);
  promptWnd =
      desktop.Create(kPromptTitle, "Edit", threadId, mainWnd, AnsweringWith([this] { return prompt; }));

  sim::TWindowOwner textOwner;
  textOwner.onCommand = [this](uint32_t commandId) {
    if (commandId == 32781) sim::Desktop().clipboardText = history;
  };
  textWnd = desktop.Create(kTextTitle, kTextClass, threadId, kNoWindow, textOwner);
  historyWnd = desktop.Create(kHistoryTitle, "Edit", threadId, textWnd,
                              AnsweringWith([this] { return recentHistory; }));
}

}  // namespace vorbel::test
