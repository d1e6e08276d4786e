// The clipboard of clipboard.h, one per process.
#include "platform/clipboard/clipboard.h"

#include <map>
#include <string>

#include "platform/core/last_error.h"
#include "platform/text/utf16_to_utf8.h"

namespace {

struct Clipboard {
  bool open = false;
  bool textSet = false;  // CF_UNICODETEXT set since the clipboard was opened
  std::map<UINT, HGLOBAL> blocks;
  DesktopClipboardSink sink = nullptr;
};

Clipboard& Board() {
  static Clipboard board;
  return board;
}

void FreeAll(Clipboard& board) {
  for (auto& [format, block] : board.blocks) GlobalFree(block);
  board.blocks.clear();
}

}  // namespace

BOOL OpenClipboard(HWND) {
  Clipboard& board = Board();
  if (board.open) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  board.open = true;
  return TRUE;
}

// The text block as UTF-8, read no further than the block's size.
std::string TextOf(HGLOBAL block) {
  size_t units = GlobalSize(block) / sizeof(char16_t);
  const auto* text = static_cast<const char16_t*>(GlobalLock(block));
  if (text == nullptr) return {};
  size_t length = 0;
  while (length < units && text[length] != 0) ++length;
  std::string utf8 = devtext::Utf16ToUtf8String(text, length);
  GlobalUnlock(block);
  return utf8;
}

BOOL CloseClipboard() {
  Clipboard& board = Board();
  if (!board.open) return FALSE;
  board.open = false;
  if (board.textSet) {
    auto it = board.blocks.find(CF_UNICODETEXT);
    if (it != board.blocks.end()) {
      if (board.sink != nullptr) board.sink(TextOf(it->second).c_str());
#ifdef TESSALYN_TEST_HOOKS
      devtest::ClipboardJournal().push_back(devtest::ClipboardText());
#endif
    }
  }
  board.textSet = false;
  return TRUE;
}

void SetDesktopClipboardSink(DesktopClipboardSink sink) { Board().sink = sink; }

BOOL EmptyClipboard() {
  Clipboard& board = Board();
  if (!board.open) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  FreeAll(board);
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE block) {
  Clipboard& board = Board();
  if (!board.open || !IsLiveBlock(block)) {
    SetLastError(board.open ? ERROR_INVALID_HANDLE : ERROR_ACCESS_DENIED);
    return nullptr;
  }
  auto it = board.blocks.find(format);
  if (it != board.blocks.end() && it->second != block) GlobalFree(it->second);
  board.blocks[format] = block;
  if (format == CF_UNICODETEXT) board.textSet = true;
  return block;
}

HANDLE GetClipboardData(UINT format) {
  Clipboard& board = Board();
  if (!board.open) return nullptr;
  auto it = board.blocks.find(format);
  return it != board.blocks.end() ? it->second : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) { return Board().blocks.count(format) != 0 ? TRUE : FALSE; }

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

std::u16string ClipboardText() {
  auto it = Board().blocks.find(CF_UNICODETEXT);
  if (it == Board().blocks.end()) return {};
  size_t characters = GlobalSize(it->second) / sizeof(WCHAR);
  auto* text = static_cast<const WCHAR*>(GlobalLock(it->second));
  std::u16string result;
  for (size_t i = 0; text != nullptr && i < characters && text[i] != 0; ++i) result += text[i];
  GlobalUnlock(it->second);
  return result;
}

std::vector<std::u16string>& ClipboardJournal() {
  static std::vector<std::u16string> journal;
  return journal;
}

void ResetClipboard() {
  FreeAll(Board());
  Board().open = false;
  Board().textSet = false;
  ClipboardJournal().clear();
}

}  // namespace devtest
#endif
