// What the reader installs before its window set opens, in the order the
// program does it. Shared by the program and the whole-process benchmark,
// which must start the reader exactly as the program does.
#pragma once

#include "browser/sources/ogg_audio_maker.h"
#include "browser/sources/plain_text_opener.h"
#include "index/books/book_index_services.h"
#include "layout/guide/book_guide.h"
#include "platform/controls/control_classes.h"
#include "platform/shell_windows/shell_windows.h"
#include "resources/tessalyn_resources.h"

inline void InstallReaderServices() {
  InstallTessalynResources();
  // A book's look-ups by name go through its index tables.
  InstallBookIndexServices();
  // A book's guide is read from its markup.
  InstallBookGuideReader();
  // Local text and HTML files are read through the plain-text document.
  InstallPlainTextDocumentOpener();
  // An Ogg stream behind a page plays through the Ogg Vorbis source.
  InstallOggSourceMaker();
  // The device's common controls, then the shell's menu bar, task bar and
  // input panel, which are made of them.
  InitCommonControls();
  devshellwin::InstallShellWindows();
}
