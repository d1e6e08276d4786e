// The namespace of named events and mutexes of this process. Internal to
// platform/threads.
#pragma once

#include <functional>
#include <memory>

#include "platform/threads/waitable.h"

namespace devthreads {

// Makes an object (with `make`) or finds the live one of that name. With a
// null name the object is always new. Answers a new handle and sets the
// last error: 0 when made, ERROR_ALREADY_EXISTS when found; null with
// ERROR_INVALID_HANDLE when the name belongs to an object of another kind,
// ERROR_FILENAME_EXCED_RANGE when it is longer than MAX_PATH, and
// ERROR_NOT_ENOUGH_MEMORY when nothing could be made.
HANDLE CreateNamedObject(LPCWSTR name, Waitable::Kind kind,
                         const std::function<std::shared_ptr<Waitable>()>& make);

void ForgetNamedObjects();

}  // namespace devthreads
