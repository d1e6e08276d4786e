// The soft input panel as the application frame sees it, until the
// platform's input-panel calls exist: a recording stand-in that keeps the
// shown state and counts the requests, so that the controller's show and
// hide paths run and tests can observe them. The panel never takes room
// on the screen here (its rectangle stays empty).
#pragma once

#include <cstdint>

#include "platform/types/geometry_types.h"

namespace input_panel_stand_in {

struct State {
  bool shown = false;
  uint32_t showRequests = 0;
  uint32_t hideRequests = 0;
  RECT rect{0, 0, 0, 0};
};

void Show(bool show);
const State& Current();
void Reset();

}  // namespace input_panel_stand_in
