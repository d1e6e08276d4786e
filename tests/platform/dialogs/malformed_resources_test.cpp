// Malformed templates, menus and accelerator tables are refused without
// reading outside their bytes: every cut of a good resource, and a table
// of hostile ones. Each case is copied into a buffer of exactly its size,
// so that the sanitizers catch a read past its end.
#include <cstring>
#include <memory>
#include <vector>

#include "platform/dialogs/dialog_template.h"
#include "platform/menus/accelerators.h"
#include "platform/menus/menus.h"
#include "tests/platform/dialogs/dialog_fixture.h"

namespace {

using dialogtest::DialogTest;
using Bytes = std::vector<BYTE>;

// The bytes in a heap block of exactly their size.
std::unique_ptr<BYTE[]> Exact(const Bytes& bytes) {
  std::unique_ptr<BYTE[]> block(new BYTE[bytes.size() + (bytes.empty() ? 1 : 0)]);
  if (!bytes.empty()) std::memcpy(block.get(), bytes.data(), bytes.size());
  return block;
}

bool DialogAccepted(const Bytes& bytes) {
  auto block = Exact(bytes);
  devdialog::DialogTemplate parsed;
  return devdialog::ParseDialogTemplate(block.get(), bytes.size(), &parsed);
}

bool MenuAccepted(const Bytes& bytes) {
  auto block = Exact(bytes);
  HMENU menu = LoadMenuFromBytes(block.get(), bytes.size());
  if (menu != nullptr) DestroyMenu(menu);
  return menu != nullptr;
}

bool AcceleratorsAccepted(const Bytes& bytes) {
  auto block = Exact(bytes);
  HACCEL table = LoadAcceleratorsFromBytes(block.get(), bytes.size());
  if (table != nullptr) DestroyAcceleratorTable(table);
  return table != nullptr;
}

void PutWord(Bytes* bytes, size_t at, WORD value) {
  (*bytes)[at] = static_cast<BYTE>(value);
  (*bytes)[at + 1] = static_cast<BYTE>(value >> 8);
}

TEST_F(DialogTest, EveryCutOfAGoodResourceIsRefused) {
  const struct {
    LPCWSTR type;
    WORD id;
    bool (*accepted)(const Bytes&);
  } resources[] = {{RT_DIALOG, 100, DialogAccepted}, {RT_DIALOG, 101, DialogAccepted},
                   {RT_MENU, 200, MenuAccepted},     {RT_MENU, 201, MenuAccepted},
                   {RT_ACCELERATOR, 220, AcceleratorsAccepted}};
  for (const auto& resource : resources) {
    Bytes whole = ResourceBytes(resource.type, resource.id);
    SCOPED_TRACE(resource.id);
    ASSERT_FALSE(whole.empty());
    EXPECT_TRUE(resource.accepted(whole));
    for (size_t size = 0; size < whole.size(); ++size) {
      Bytes cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(size));
      EXPECT_FALSE(resource.accepted(cut)) << "cut at " << size;
    }
  }
}

TEST_F(DialogTest, HostileResourcesAreRefused) {
  Bytes dialog = ResourceBytes(RT_DIALOG, 101);
  Bytes menu = ResourceBytes(RT_MENU, 200);
  Bytes keys = ResourceBytes(RT_ACCELERATOR, 220);
  ASSERT_GE(dialog.size(), 40u);

  struct Case {
    const char* what;
    Bytes bytes;
    bool (*accepted)(const Bytes&);
  };
  std::vector<Case> cases;
  Bytes manyItems = dialog;
  PutWord(&manyItems, 8, 0xFFFF);
  cases.push_back({"an item count beyond the bytes", manyItems, DialogAccepted});
  Bytes unterminated = dialog;
  unterminated.resize(26);  // header, no menu, no class, title "Plain" cut
  cases.push_back({"a title without its end", unterminated, DialogAccepted});
  Bytes badAtom = dialog;
  // The first item's class atom follows its 18 fixed bytes on a 4-byte
  // boundary after the header (no font in dialog 101).
  size_t header = 18 + 2 + 2 + 12;  // fixed part, menu, class, "Plain\0"
  size_t item = (header + 3) / 4 * 4;
  ASSERT_EQ(badAtom[item + 18], 0xFF);
  PutWord(&badAtom, item + 20, 0x99);
  cases.push_back({"an unknown class atom", badAtom, DialogAccepted});
  Bytes ordinalClass = dialog;
  PutWord(&ordinalClass, 20, 0xFFFF);
  cases.push_back({"a dialog class given by number", ordinalClass, DialogAccepted});
  Bytes hugeExtra = dialog;
  size_t lastWord = hugeExtra.size() - 2;
  PutWord(&hugeExtra, lastWord, 0xFFFF);
  cases.push_back({"creation bytes beyond the end", hugeExtra, DialogAccepted});
  cases.push_back({"an empty dialog", {}, DialogAccepted});

  Bytes version = menu;
  PutWord(&version, 0, 1);
  cases.push_back({"a menu of another version", version, MenuAccepted});
  Bytes offset = menu;
  PutWord(&offset, 2, 0xFFF0);
  cases.push_back({"a menu header offset past the end", offset, MenuAccepted});
  Bytes noEnd = menu;
  for (size_t at = 4; at + 1 < noEnd.size(); at += 2)
    if (noEnd[at] & 0x80) noEnd[at] &= 0x7F;  // drops every end mark (and garbles some words)
  cases.push_back({"a menu without end marks", noEnd, MenuAccepted});
  Bytes deep{0, 0, 0, 0};
  for (int level = 0; level < 40; ++level) {
    deep.insert(deep.end(), {0x90, 0x00, 'p', 0, 0, 0});  // a last pop-up holding the next
  }
  cases.push_back({"pop-ups nested 40 deep", deep, MenuAccepted});

  Bytes noLast = keys;
  for (size_t at = 0; at < noLast.size(); at += 8) noLast[at] &= 0x7F;
  cases.push_back({"accelerators without a last entry", noLast, AcceleratorsAccepted});
  Bytes trailing = keys;
  trailing.insert(trailing.end(), 8, 0);
  cases.push_back({"accelerator bytes after the last entry", trailing, AcceleratorsAccepted});
  Bytes odd = keys;
  odd.push_back(0);
  cases.push_back({"accelerators of an odd size", odd, AcceleratorsAccepted});

  for (const Case& c : cases) EXPECT_FALSE(c.accepted(c.bytes)) << c.what;
}

TEST_F(DialogTest, AMalformedInstalledTemplateMakesNoDialog) {
  Bytes dialog = ResourceBytes(RT_DIALOG, 101);
  dialog.resize(dialog.size() - 3);
  auto block = Exact(dialog);
  ResourceEntry entries[] = {{5, 300, block.get(), static_cast<DWORD>(dialog.size())}};
  ProgramResources resources;
  resources.resources = entries;
  resources.resourceCount = 1;
  InstallProgramResources(resources);
  EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(300), owner, nullptr, 0), nullptr);
  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(300), owner, nullptr, 0), -1);
  // The indirect form finds the resource the pointer lies in and keeps to it.
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(block.get()), owner, nullptr, 0), -1);
  InstallTestResources();
}

}  // namespace
