// The scripts and journals of modal_hooks.h, kept per process.
#ifdef TESSALYN_TEST_HOOKS
#include "platform/modals/modal_hooks.h"

#include <deque>
#include <utility>

namespace devtest {
namespace {

struct Scripts {
  std::deque<std::pair<ModalKind, ModalScript>> queue;
  std::vector<MessageBoxRecord> messageBoxes;
  std::vector<PopupMenuRecord> popupMenus;
  std::vector<OpenFileRecord> openFiles;
  std::vector<ModalRecord> dialogs;
};

Scripts& State() {
  static Scripts scripts;
  return scripts;
}

}  // namespace

void ScriptNextModal(ModalKind kind, ModalScript script) { State().queue.emplace_back(kind, std::move(script)); }

void AnswerNextModal(ModalKind kind, INT_PTR answer) {
  ScriptNextModal(kind, [answer](const ModalView& view) { view.end(answer); });
}

void ChooseNextFile(const std::u16string& path, DWORD filterIndex) {
  ScriptNextModal(ModalKind::OpenFile,
                  [path, filterIndex](const ModalView& view) { view.chooseFile(path, filterIndex); });
}

ModalScript TakeModalScript(ModalKind kind) {
  auto& queue = State().queue;
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (it->first == kind) {
      ModalScript script = std::move(it->second);
      queue.erase(it);
      return script;
    }
  }
  return {};
}

std::vector<MessageBoxRecord>& MessageBoxJournal() { return State().messageBoxes; }
std::vector<PopupMenuRecord>& PopupMenuJournal() { return State().popupMenus; }
std::vector<OpenFileRecord>& OpenFileJournal() { return State().openFiles; }
std::vector<ModalRecord>& DialogJournal() { return State().dialogs; }

void ResetModals() { State() = Scripts{}; }

}  // namespace devtest
#endif
