// Operations of the document view that are not built yet. Each answers
// failure so that callers take their failure paths; each stands alone, so
// that it can move into the file of its concern whole.
#include "browser/view/document_view.h"

