#include "host/end_signals.h"

namespace vr {

// A headless run on Windows ends as console programs do on Ctrl+C; the
// watch takes Ctrl+C and the console's close through its own clock.
void catchEndSignals() {}

} // namespace vr
