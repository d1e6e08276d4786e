// Fakes for script pages (see fake_script_page_loader.h).
#include "tests/support/fake_script_page_loader.h"

FakeScriptPageLoader::FakeScriptPageLoader() {
  // The error text names the message and the line, so tests can read both.
  reporter.texts[kScriptErrorTemplateString] = u"%1 (line %3)";
}

FakeScriptPageLoader::~FakeScriptPageLoader() { delete pageEnvironment; }

bool FakeScriptPageLoader::ResolveAddress(const SharedWideString& base,
                                          const SharedWideString& target,
                                          SharedWideString* resolved) {
  SharedWideString page;
  AddressWithoutQuery(base, &page);
  if (target.length > 0 && target.Chars()[0] == u'?') {
    *resolved = page;
    return resolved->Append(target);
  }
  uint32_t cut = page.length;
  while (cut > 0 && page.Chars()[cut - 1] != u'\\') --cut;
  resolved->AssignSubstring(page, 0, cut);
  return resolved->Append(target);
}
