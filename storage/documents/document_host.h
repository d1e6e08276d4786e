// DocumentHost: the record through which a document (and the loader) reaches
// the application: messages by string identifier or ready text, an address
// to open, and the status (wait) message. It is built once by the window set
// and handed to every document at opening; without an application every
// call does nothing and answers 0.
//
// DocumentHostApplication is what the host needs of the application frame,
// declared here so that documents do not depend on it.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class Location;

// Message kinds of the application's message boxes.
enum MessageKind : int32_t {
  kMessageInformation = 0,
  kMessageWarning = 1,
  kMessageError = 2,
  kMessageQuestion = 3,  // OK/Cancel; answered true on OK
};

// No caption: the application's own.
inline constexpr int32_t kNoCaption = -1;

class DocumentHostApplication {
 public:
  // A message box with the localised text of stringId; true when the user
  // chose OK.
  virtual bool ShowMessage(int32_t captionId, uint32_t stringId, int32_t kind) = 0;
  // The same with the text's placeholder filled from argument.
  virtual bool ShowFormattedMessage(int32_t captionId, uint32_t stringId, int32_t kind,
                                    const SharedWideString& argument) = 0;
  // The same with a ready text.
  virtual bool MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) = 0;
  // A non-modal wait message until CloseWaitMessage.
  virtual void ShowWaitMessage(uint32_t stringId) = 0;
  virtual void CloseWaitMessage() = 0;
  // Hands an address to the application.
  virtual void OpenUrl(const Location& location) = 0;

 protected:
  ~DocumentHostApplication() = default;
};

class DocumentHost {
 public:
  DocumentHost() = default;
  explicit DocumentHost(DocumentHostApplication* application) : application_(application) {}

  DocumentHostApplication* GetApplication() const { return application_; }
  void SetApplication(DocumentHostApplication* application) { application_ = application; }

  // A question (OK/Cancel) when question is set, else an error message.
  bool MessageBox(uint32_t stringId, bool question);
  bool MessageBoxText(const SharedWideString& text, bool question);
  // An error message with the identifier's placeholder filled.
  bool MessageBoxFormat(uint32_t stringId, const SharedWideString& argument);
  void OpenUrl(const Location& location);
  void SetStatus(uint32_t stringId);
  void ClearStatus();

 private:
  DocumentHostApplication* application_ = nullptr;  // not owned; may be null
};
