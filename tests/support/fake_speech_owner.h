// A fake owner of the speech plug-in binding: the document view's main
// window (given by the test), the program folder, a page turn that answers
// as told, and a message box that records what it showed and answers OK.
#pragma once

#include <string>
#include <vector>

#include "audio/speech/speech_owner.h"

class FakeSpeechOwner final : public SpeechOwner {
 public:
  struct Turn {
    int32_t how, count, flags;
  };
  struct Box {
    std::u16string text, caption;
  };

  HWND GetMainWindow() override { return window; }
  bool GetProgramFolder(EncodedString* folder) override;
  bool TurnPage(int32_t how, int32_t count, int32_t flags) override {
    turns.push_back({how, count, flags});
    return turnAnswer;
  }
  void ShowErrorBox(const WCHAR* text, const WCHAR* caption) override { boxes.push_back({text, caption}); }

  HWND window = nullptr;
  bool hasFolder = true;
  bool turnAnswer = true;
  std::vector<Turn> turns;
  std::vector<Box> boxes;
};
