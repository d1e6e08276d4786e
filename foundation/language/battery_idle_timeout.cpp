// ExchangeBatteryIdleTimeout: the device's battery idle time-out set through
// the system parameters, the old value handed back.
#include "foundation/language/localized_strings.h"
#include "platform/system/system_parameters.h"

uint32_t ExchangeBatteryIdleTimeout(uint32_t seconds) {
  DWORD old = seconds;
  if (!SystemParametersInfoW(SPI_GETBATTERYIDLETIMEOUT, 0, &old, 0)) old = seconds;
  SystemParametersInfoW(SPI_SETBATTERYIDLETIMEOUT, seconds, nullptr, SPIF_SENDCHANGE);
  return old;
}
