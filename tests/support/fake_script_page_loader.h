// Fakes for script pages until the browser's loader and addresses exist:
// - FakeBookSource: a document source over a FakeDocument (the book that
//   holds the pages).
// - FakeScriptPageLoader: the loader side of BuildScriptPage: a value store,
//   an application environment, the page environment's slot, the messages
//   shown, an error reporter, and addresses resolved the simple way (a
//   target that begins with "?" keeps the page and takes the new query; any
//   other replaces the part after the last backslash).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "script/host/script_app_environment.h"
#include "script/pages/script_page_build.h"
#include "script/pages/script_page_host.h"
#include "script/values/value_store.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_script_host.h"

class FakeBookSource : public DocumentSource {
 public:
  explicit FakeBookSource(std::unique_ptr<FakeDocument> document)
      : document_(std::move(document)) {}
  Document* GetDocument() override { return document_.get(); }
  FakeDocument* Fake() const { return document_.get(); }

 private:
  std::unique_ptr<FakeDocument> document_;
};

class FakeAppEnvironment : public ScriptAppEnvironment {
 public:
  uint32_t GetUiLanguage() override { return 0x0409; }
  bool GetEnvironmentValue(const SharedWideString&, SharedWideString*) override { return false; }
};

class FakeScriptPageLoader : public ScriptPageLoader {
 public:
  FakeScriptPageLoader();
  ~FakeScriptPageLoader();

  ScriptValueStore* GetValueStore() override { return &store; }
  ScriptAppEnvironment* GetEnvironment() override { return &environment; }
  ScriptPageEnvironment** PageEnvironmentSlot() override { return &pageEnvironment; }
  void ShowMessage(int32_t stringId) override { messages.push_back(stringId); }
  bool ResolveAddress(const SharedWideString& base, const SharedWideString& target,
                      SharedWideString* resolved) override;
  ScriptErrorReporter* GetErrorReporter() override { return &reporter; }
  ScriptPageLayoutMaker* GetLayoutMaker() override { return nullptr; }

  ScriptValueStore store;
  FakeAppEnvironment environment;
  FakeErrorReporter reporter;
  ScriptPageEnvironment* pageEnvironment = nullptr;
  std::vector<int32_t> messages;
};
