// FakeDocumentHostApplication: records the host's calls.
#include "tests/support/fake_document_host.h"

namespace {

std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

}  // namespace

bool FakeDocumentHostApplication::ShowMessage(int32_t captionId, uint32_t stringId, int32_t kind) {
  calls.push_back({"ShowMessage", captionId, stringId, kind, {}});
  return answer;
}

bool FakeDocumentHostApplication::ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                                           const SharedWideString& argument) {
  calls.push_back({"ShowFormattedMessage", captionId, stringId, kind, Text(argument)});
  return answer;
}

bool FakeDocumentHostApplication::MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) {
  calls.push_back({"MessageBox", captionId, 0, kind, Text(text)});
  return answer;
}

void FakeDocumentHostApplication::ShowWaitMessage(uint32_t stringId) { calls.push_back({"ShowWaitMessage", 0, stringId, 0, {}}); }

void FakeDocumentHostApplication::CloseWaitMessage() { calls.push_back({"CloseWaitMessage", 0, 0, 0, {}}); }

void FakeDocumentHostApplication::OpenUrl(const Location&) { calls.push_back({"OpenUrl", 0, 0, 0, {}}); }
