// How the process's heap is set up before a run fills it. Host code:
// src/host/posix_heap.cpp (Linux only: the window's program calls it).
#pragma once

namespace vr {

// Called first thing in main. A season's run makes megabytes of small
// objects (the game table, the listings, the index) and reads whole pages
// into large buffers; each first touch of a small page of memory costs a
// fault, which virtual machines make dear. The heap grows in large steps,
// keeps what is freed, and asks for large pages where the host gives them.
void prepareHeap();

} // namespace vr
