// Scripted answers and journals of the modal windows (test and fuzz builds
// only; tests reach them through platform/testing/ui.h). A test says "when
// the next modal of kind K opens, run this script"; the script sees the
// modal (its window, its menu, its template) and may send messages, tap,
// type, or end it with an answer. A modal that opens without a script ends
// at once with its cancel answer and is journalled as unscripted.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the modal hooks exist only in test and fuzz builds"
#endif

#include <functional>
#include <string>
#include <vector>

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

namespace devtest {

enum class ModalKind { Dialog, PropertySheet, MessageBox, PopupMenu, OpenFile };

// What a script sees of the modal that opened.
struct ModalView {
  ModalKind kind = ModalKind::Dialog;
  HWND window = nullptr;  // the modal's window (null for a pop-up menu)
  HMENU menu = nullptr;   // the pop-up menu
  int templateId = 0;     // the dialog's template identifier
  // Ends the modal with this answer (a property sheet: non-zero presses OK,
  // which its pages may refuse; zero Cancel).
  std::function<void(INT_PTR)> end;
  // The open-file dialog: the device path chosen and the filter index.
  std::function<void(const std::u16string& path, DWORD filterIndex)> chooseFile;
};
using ModalScript = std::function<void(const ModalView&)>;

// Scripts are taken in the order given, one per modal of their kind.
void ScriptNextModal(ModalKind kind, ModalScript script);
// Shorthand: the next modal of `kind` ends with `answer`.
void AnswerNextModal(ModalKind kind, INT_PTR answer);
// The open-file dialog: the next one chooses `path` under `filterIndex`.
void ChooseNextFile(const std::u16string& path, DWORD filterIndex);

// The modals' side (not for tests): the next script of `kind`, or an empty
// function when there is none.
ModalScript TakeModalScript(ModalKind kind);

struct MessageBoxRecord {
  std::u16string caption;
  std::u16string text;
  UINT flags = 0;
  int answer = 0;
  bool scripted = false;
};
struct PopupMenuItemRecord {
  UINT id = 0;
  std::u16string text;
  bool checked = false;
  bool grayed = false;
  bool separator = false;
  bool popup = false;
};
struct PopupMenuRecord {
  std::vector<PopupMenuItemRecord> items;
  UINT flags = 0;
  UINT answer = 0;
  bool scripted = false;
};
struct OpenFileRecord {
  std::u16string filter;  // the NUL-separated list, NULs as '|'
  DWORD filterIndex = 0;
  bool answer = false;
  std::u16string path;
  bool scripted = false;
};
struct ModalRecord {  // dialogs and property sheets
  ModalKind kind = ModalKind::Dialog;
  int templateId = 0;        // a sheet: its start page's template
  std::vector<int> pages;    // a sheet: the template of each page
  int startPage = 0;
  INT_PTR result = 0;
  bool scripted = false;
};

std::vector<MessageBoxRecord>& MessageBoxJournal();
std::vector<PopupMenuRecord>& PopupMenuJournal();
std::vector<OpenFileRecord>& OpenFileJournal();
std::vector<ModalRecord>& DialogJournal();

// Forgets every script and journal (part of the device reset).
void ResetModals();

}  // namespace devtest
