// "mlang.dll": the code-page converter the system falls back on when the
// platform's own converters reject a code page. Its conversion is completed
// with the text converters; until then it has no exports.
#include "platform/modules/emulated_module.h"

const EmulatedModule& MlangModule() {
  static const EmulatedModule module{"mlang.dll", nullptr, 0};
  return module;
}
