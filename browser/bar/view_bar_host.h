// ViewBarHost: the reading-position bar's host over the application's
// interfaces: the document view is the application's current one, asked
// afresh on every call (the bar outlives documents and views); the
// go-to-page command and the progress-bar setting are the application's,
// the colours and font size its preferences', the sizes its environment's
// defaults. The application makes one beside its bar.
#pragma once

#include "browser/bar/position_bar_host.h"

class DocumentView;
class ViewApplication;
class ViewEnvironment;
class ViewPreferences;

class ViewBarHost final : public PositionBarHost {
 public:
  // None is owned; the environment may be null (then the application's).
  ViewBarHost(ViewApplication* application, ViewPreferences* preferences, ViewEnvironment* environment);

  uint32_t GetTextLength() override;
  uint32_t GetCurrentPosition() override;
  uint32_t GetCurrentPageNumber() override;
  BookParameterFile* GetSideFile() override;
  bool PreviousBookmark() override;
  bool NextBookmark() override;
  bool GoToBookmark(uint32_t mark) override;
  bool GoToTextPosition(uint32_t position) override;
  void RunCommand(int32_t command) override;
  void ApplyProgressBarSetting() override;
  int32_t GetDefaultSetting(uint32_t key) override;
  Color GetBackgroundColor() override;
  Color GetTextColor() override;
  int8_t GetFontSize() override;

 private:
  DocumentView* View();

  ViewApplication* application_;
  ViewPreferences* preferences_;
  ViewEnvironment* environment_;
};
