// Where the program is built without its transports (Windows, until
// libcurl is built for it): nothing is sent, and every run is as without a
// profile.
#include "send/send_run.h"

namespace vr {

SendOutcome sendDue(const SendRequest&) { return {}; }

} // namespace vr
