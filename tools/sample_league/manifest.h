// The manifest: the facts of a generated league, for tests that check the
// program's outputs against what the league really holds.
#pragma once

#include "league.h"
#include "text_out.h"

namespace sample {

// Appends the manifest; `out` must end lines in LF.
void write_manifest(const League& league, TextOut& out);

// The day lines: for each day from 200 to 400 with a game 1 play-by-play
// file, the number of games 1, 2, ... in a row that have one (at most 300).
// first = day, second = count.
std::vector<std::pair<int, int>> probe_counts(const League& league);

}  // namespace sample
