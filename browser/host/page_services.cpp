#include "browser/host/page_services.h"

#include <new>

namespace {

class NullFormCollection final : public ViewFormCollection {
 public:
  void SetFormLog(OfflineFormLog*) override {}
  void DetachForms(int32_t) override {}
  void SetScriptStore(DocumentSource*) override {}
  bool LoadState(ByteStream*) override { return true; }
  bool SaveState(ByteStream*, bool) override { return true; }
  ScriptObject* AsScriptObject() override { return nullptr; }
};

class NullSketchEditor final : public ViewSketchEditor {
 public:
  bool HasDrawing() override { return false; }
  void SetDrawingKey(uint32_t, uint32_t, BookParameterFile*) override {}
  bool GetDrawingBounds(Rect*) override { return false; }
  void ClearDrawing(bool) override {}
  bool LoadDrawing() override { return false; }
  bool SelectMark(uint32_t) override { return false; }
  int32_t FindMarkForSelection(int32_t) override { return -1; }
};

PageServiceFactory g_factory;

}  // namespace

void InstallPageServiceFactory(const PageServiceFactory& factory) { g_factory = factory; }

ViewFormCollection* MakeViewFormCollection() {
  if (g_factory.makeForms != nullptr) return g_factory.makeForms();
  return new (std::nothrow) NullFormCollection();
}

ViewSketchEditor* MakeViewSketchEditor(ViewEnvironment* environment, DrawingSurface* surface, DocumentView* view) {
  if (g_factory.makeSketchEditor != nullptr) return g_factory.makeSketchEditor(environment, surface, view);
  return new (std::nothrow) NullSketchEditor();
}
