// The remote the virtual QTM-418 hears in demo mode: eight keys of a set-top box whose protocol
// is none of the presets, so learned keys fill the code area and share one stored code.
#pragma once

#include "ir/timings.h"

namespace emu {

constexpr unsigned kDemoKeyCount = 8;
// How long after capture mode begins the demo remote's key arrives.
constexpr long kDemoDelayMillis = 1500;

// Key `n` (taken modulo kDemoKeyCount): a frame and its repeat 40 ms later.
ir::Signal demoRemoteKey(unsigned n);

} // namespace emu
