// The installed maker of index page elements (see index_page_elements.h).
#include "browser/pages/index_page_elements.h"

namespace {

IndexPageElementMaker* gMaker = nullptr;

}  // namespace

void InstallIndexPageElementMaker(IndexPageElementMaker* maker) { gMaker = maker; }

IndexPageElementMaker* GetIndexPageElementMaker() { return gMaker; }
