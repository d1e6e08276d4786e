// The fake speech owner (see fake_speech_owner.h).
#include "tests/support/fake_speech_owner.h"

#include "foundation/encoded_string/encoded_string.h"

bool FakeSpeechOwner::GetProgramFolder(EncodedString* folder) {
  return hasFolder && folder->FromWide(u"\\Program Files\\tessalyn");
}
