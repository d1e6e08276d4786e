// FakeCloseListener: records the calls.
#include "tests/support/fake_close_listener.h"

namespace testbuild {

void FakeCloseListener::OnSideFileClosed(BookParameterFile* sideFile) {
  Call call{sideFile, sideFile->IsOpen(), {}};
  const EncodedString& path = sideFile->BookPath();
  if (path.CodePage() == 65002)
    call.bookPath.assign(reinterpret_cast<const char16_t*>(path.UnsignedBytes()), path.ByteLength() / 2);
  calls.push_back(call);
}

}  // namespace testbuild
