#include "host/terminal.h"

#include <unistd.h>

namespace vr {

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

} // namespace vr
