// ViewEventListener: the page events a document view listens to, six
// operations in this order. The document view answers them itself; the
// browser view overrides all six.
#pragma once

#include <cstdint>

class ViewEventListener {
 public:
  virtual void OnNavigationStarting() = 0;
  virtual void OnDocumentClosed() = 0;
  virtual void OnDocumentShown() = 0;
  virtual void OnPositionChanged(bool final) = 0;
  // The fifth and sixth operations answer their argument unless a derived
  // view acts on them; the sixth runs as a navigation finishes.
  virtual intptr_t OnListenerEvent4(intptr_t argument) = 0;
  virtual intptr_t OnNavigationFinished(intptr_t notify, bool changed) = 0;

 protected:
  ~ViewEventListener() = default;
};
