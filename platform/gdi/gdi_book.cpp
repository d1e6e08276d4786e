// The book of live graphics handles with per-kind counts and, in test
// builds, the journal of graphics calls and the injected creation failures.
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/gdi_object.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/gdi/gdi_hooks.h"
#endif

namespace {

// A live handle: its kind, and the reset epoch it was counted in (objects
// leaked by an earlier test are not counted again when they go).
struct Entry {
  GdiKind kind;
  bool counted;
  uint32_t epoch;
};

struct Book {
  std::mutex lock;
  std::unordered_map<const void*, Entry> live;
  uint32_t epoch = 0;
  int liveCount[kGdiKindCount] = {};
  int createdCount[kGdiKindCount] = {};
};

Book& TheBook() {
  static Book* book = new Book;  // outlives every static object that frees handles
  return *book;
}

#ifdef TESSALYN_TEST_HOOKS
struct Journal {
  std::mutex lock;
  std::vector<std::string> lines;
};

Journal& TheJournal() {
  static Journal* journal = new Journal;
  return *journal;
}

std::atomic<bool> journalOn{false};

struct FailureSwitch {
  int countdown = 0;  // 0: off; n: the n-th next creation fails
  bool sticky = false;
  bool failing = false;
};

std::mutex failureLock;
FailureSwitch failures[3];
#endif  // TESSALYN_TEST_HOOKS

}  // namespace

GdiObject::GdiObject(GdiKind kind, bool counted) : kind(kind), counted(counted) {
  RegisterGdiHandle(this, kind, counted);
}

GdiObject::~GdiObject() { UnregisterGdiHandle(this, kind, counted); }

void RegisterGdiHandle(const void* handle, GdiKind kind, bool counted) {
  Book& book = TheBook();
  std::lock_guard<std::mutex> guard(book.lock);
  try {
    book.live[handle] = Entry{kind, counted, book.epoch};
  } catch (...) {
    // Without room in the book the handle is simply not validated later.
  }
  if (counted) {
    ++book.liveCount[static_cast<int>(kind)];
    ++book.createdCount[static_cast<int>(kind)];
  }
}

void UnregisterGdiHandle(const void* handle, GdiKind kind, bool counted) {
  Book& book = TheBook();
  std::lock_guard<std::mutex> guard(book.lock);
  auto found = book.live.find(handle);
  if (found == book.live.end()) return;
  const Entry entry = found->second;
  book.live.erase(found);
  if (counted && entry.counted && entry.epoch == book.epoch && book.liveCount[static_cast<int>(kind)] > 0) {
    --book.liveCount[static_cast<int>(kind)];
  }
}

bool IsLiveGdiHandle(const void* handle) {
  if (!handle) return false;
  Book& book = TheBook();
  std::lock_guard<std::mutex> guard(book.lock);
  return book.live.count(handle) != 0;
}

bool LiveHandleKind(const void* handle, GdiKind* kind) {
  if (!handle) return false;
  Book& book = TheBook();
  std::lock_guard<std::mutex> guard(book.lock);
  auto found = book.live.find(handle);
  if (found == book.live.end()) return false;
  *kind = found->second.kind;
  return true;
}

GdiObject* LiveGdiObject(HGDIOBJ handle) {
  GdiKind kind;
  if (!LiveHandleKind(handle, &kind)) return nullptr;
  // Device contexts, icons and image lists share the book but are not
  // GDI objects.
  if (kind == GdiKind::DeviceContext || kind == GdiKind::Icon || kind == GdiKind::ImageList) return nullptr;
  return handle;
}

GdiObject* LiveGdiObject(HGDIOBJ handle, GdiKind kind) {
  GdiObject* object = LiveGdiObject(handle);
  return object && object->kind == kind ? object : nullptr;
}

DeviceContext* LiveDeviceContext(HDC dc) {
  GdiKind kind;
  if (!LiveHandleKind(dc, &kind) || kind != GdiKind::DeviceContext) return nullptr;
  return dc;
}

#ifdef TESSALYN_TEST_HOOKS
namespace gdi_internal {

bool JournalOn() { return journalOn.load(std::memory_order_relaxed); }

void Journal(const char* format, ...) {
  if (!JournalOn()) return;
  char line[256];
  va_list args;
  va_start(args, format);
  vsnprintf(line, sizeof line, format, args);
  va_end(args);
  auto& journal = TheJournal();
  std::lock_guard<std::mutex> guard(journal.lock);
  try {
    journal.lines.emplace_back(line);
  } catch (...) {
  }
}

}  // namespace gdi_internal

namespace devtest {

int LiveGdiObjects(GdiKind kind) {
  Book& book = TheBook();
  std::lock_guard<std::mutex> guard(book.lock);
  return book.liveCount[static_cast<int>(kind)];
}

int CreatedGdiObjects(GdiKind kind) {
  Book& book = TheBook();
  std::lock_guard<std::mutex> guard(book.lock);
  return book.createdCount[static_cast<int>(kind)];
}

void SetGdiJournal(bool on) { journalOn.store(on); }

std::vector<std::string> GdiJournal() {
  auto& journal = TheJournal();
  std::lock_guard<std::mutex> guard(journal.lock);
  return journal.lines;
}

void ClearGdiJournal() {
  auto& journal = TheJournal();
  std::lock_guard<std::mutex> guard(journal.lock);
  journal.lines.clear();
}

int GdiJournalCount(const std::string& call) {
  auto& journal = TheJournal();
  std::lock_guard<std::mutex> guard(journal.lock);
  int count = 0;
  for (const std::string& line : journal.lines) {
    if (line.size() > call.size() && line.compare(0, call.size(), call) == 0 && line[call.size()] == '(') ++count;
  }
  return count;
}

void FailGdiCreation(GdiFailure what, int nth, bool sticky) {
  std::lock_guard<std::mutex> guard(failureLock);
  FailureSwitch& sw = failures[static_cast<int>(what)];
  sw.countdown = nth > 0 ? nth : 0;
  sw.sticky = sticky;
  sw.failing = false;
}

bool ShouldFailGdiCreation(GdiFailure what) {
  std::lock_guard<std::mutex> guard(failureLock);
  FailureSwitch& sw = failures[static_cast<int>(what)];
  if (sw.failing) return true;
  if (sw.countdown == 0) return false;
  if (--sw.countdown > 0) return false;
  if (sw.sticky) sw.failing = true;
  return true;
}

// Part of ResetGdi: the book's counts, the journal and
// the failures.
void ResetGdiBook() {
  {
    Book& book = TheBook();
    std::lock_guard<std::mutex> guard(book.lock);
    for (int i = 0; i < kGdiKindCount; ++i) {
      book.liveCount[i] = 0;
      book.createdCount[i] = 0;
    }
    ++book.epoch;
  }
  SetGdiJournal(false);
  ClearGdiJournal();
  std::lock_guard<std::mutex> guard(failureLock);
  for (auto& sw : failures) sw = FailureSwitch{};
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
