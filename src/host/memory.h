// How the process's heap is set up, before the run fills it.
#pragma once

namespace vr {

// Called first thing in main. A season's run makes a few megabytes of small
// objects at once (the game table, the listings, the index), and each first
// touch of a small page of memory costs a fault, which virtual machines make
// dear; where the host can, the heap is made ready for large pages instead.
void prepareHeap();

} // namespace vr
