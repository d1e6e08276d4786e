// Building a script page (see script_page_build.h).
#include "script/pages/script_page_build.h"

#include "platform/memory/allocator.h"
#include "script/bytecode/compiled_script.h"
#include "script/pages/page_template.h"
#include "script/pages/script_page_host.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// Compiles the page and starts its run in the book's session; null on any
// failure.
ScriptPageHost* PreparePage(ScriptPageEnvironment* environment, DocumentSource* bookSource,
                            const SharedWideString& bookAddress, const InnerLink& link,
                            const SharedWideString& pageAddress) {
  Document* book = bookSource->GetDocument();
  if (book == nullptr) return nullptr;
  CompiledScript* script = DeviceNew<CompiledScript>();
  if (script == nullptr) return nullptr;
  script->AddReference();
  int32_t status = kScriptOk;
  ScriptCompileError error;
  CompileScriptPage(&status, book, link, script, &error);
  ScriptPageHost* host = nullptr;
  ScriptValueHandle session = kScriptEmptyHandle;
  if (status == kScriptOk) {
    host = DeviceNew<ScriptPageHost>(environment);
    if (host == nullptr) status = kScriptNoMemory;
  }
  if (status == kScriptOk) environment->GetSession(&status, bookAddress, &session);
  if (status == kScriptOk) status = host->Start(script, session, pageAddress, bookSource);
  environment->Store()->Release(&session);
  script->Release();
  if (status != kScriptOk) {
    delete host;
    return nullptr;
  }
  return host;
}

}  // namespace

void AddressWithoutQuery(const SharedWideString& address, SharedWideString* out) {
  uint32_t end = 0;
  while (end < address.length && address.Chars()[end] != u'?' && address.Chars()[end] != u'#') {
    ++end;
  }
  out->AssignSubstring(address, 0, end);
}

DocumentSource* BuildScriptPage(ScriptPageLoader* loader, SharedWideString* pageAddress,
                                DocumentSource* bookSource, const SharedWideString& bookAddress,
                                const InnerLink& link, bool* redirected) {
  *redirected = false;
  if (loader == nullptr || bookSource == nullptr || loader->GetValueStore() == nullptr ||
      loader->GetEnvironment() == nullptr) {
    return nullptr;
  }
  ScriptPageEnvironment** slot = loader->PageEnvironmentSlot();
  if (*slot == nullptr) {
    *slot = DeviceNew<ScriptPageEnvironment>(loader->GetValueStore(), loader->GetEnvironment(),
                                             loader->GetErrorReporter());
    if (*slot == nullptr) {
      loader->ShowMessage(kScriptPageNoMemoryString);
      return nullptr;
    }
  }
  ScriptPageHost* host = PreparePage(*slot, bookSource, bookAddress, link, *pageAddress);
  if (host == nullptr) return nullptr;

  bool finished = false;
  int32_t restarts = 0;
  for (;;) {
    host->RunStep(&finished);
    if (!finished || host->Pending() != ScriptPageHost::kPendingRedirect) break;
    SharedWideString target;
    if (!loader->ResolveAddress(*pageAddress, host->RedirectTarget(), &target)) break;
    *redirected = true;
    SharedWideString oldPage, newPage;
    AddressWithoutQuery(*pageAddress, &oldPage);
    AddressWithoutQuery(target, &newPage);
    *pageAddress = target;
    if (oldPage.CompareTo(newPage) != 0) {
      delete host;  // another page: the loader starts again there
      return nullptr;
    }
    if (++restarts > kMaxScriptPageRestarts) {
      // A page that keeps sending the reader back to itself: end it with an
      // error text instead of looping for ever.
      ScriptRuntimeError error;
      error.status = kScriptStopped;
      host->WriteErrorPage(error);
      break;
    }
    if (host->Restart(*pageAddress) != kScriptOk) {
      delete host;
      return nullptr;
    }
  }

  ScriptPageDocument* page = DeviceNew<ScriptPageDocument>();
  if (page == nullptr) {
    delete host;
    return nullptr;
  }
  page->Attach(host, bookSource->GetDocument(), finished);
  ScriptPageProvider* provider =
      DeviceNew<ScriptPageProvider>(page, bookSource, loader->GetLayoutMaker());
  if (provider == nullptr) {
    delete page;
    return nullptr;
  }
  return provider;
}
