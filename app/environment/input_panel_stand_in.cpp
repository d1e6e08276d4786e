// The recording stand-in of the soft input panel (UI thread only).
#include "app/environment/input_panel_stand_in.h"

namespace input_panel_stand_in {
namespace {
State g_state;
}  // namespace

void Show(bool show) {
  g_state.shown = show;
  if (show) {
    ++g_state.showRequests;
  } else {
    ++g_state.hideRequests;
  }
}

const State& Current() { return g_state; }

void Reset() { g_state = State{}; }

}  // namespace input_panel_stand_in
