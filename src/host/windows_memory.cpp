#include "host/memory.h"

namespace vr {

// The Windows heap needs nothing: large pages there are a privilege.
void prepareHeap() {}

} // namespace vr
