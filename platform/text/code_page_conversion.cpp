// Placeholder: replaced by the iconv-based converters.
#include "platform/text/code_page_conversion.h"
#include "platform/testing/text.h"

namespace devtest {
void SetSupportedCodePages(std::initializer_list<unsigned>) {}
void ResetCodePages() {}
}  // namespace devtest
