// FakeDocumentHostApplication: the application side of a DocumentHost in tests. It
// records every call and answers message boxes with a scripted answer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/documents/document_host.h"

class FakeDocumentHostApplication : public DocumentHostApplication {
 public:
  struct Call {
    std::string what;  // "ShowMessage", "ShowFormattedMessage", "MessageBox", "ShowWaitMessage", ...
    int32_t caption = 0;
    uint32_t stringId = 0;
    int32_t kind = 0;
    std::u16string text;  // the ready text or the argument
  };

  bool answer = true;  // what message boxes answer
  std::vector<Call> calls;

  bool ShowMessage(int32_t captionId, uint32_t stringId, int32_t kind) override;
  bool ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                            const SharedWideString& argument) override;
  bool MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) override;
  void ShowWaitMessage(uint32_t stringId) override;
  void CloseWaitMessage() override;
  void OpenUrl(const Location& location) override;
};
