// Whether standard error is a terminal: a long send's progress is shown
// there, rewritten in place, and never in a log or a pipe.
#pragma once

namespace vr {

bool standardErrorIsTerminal();

} // namespace vr
