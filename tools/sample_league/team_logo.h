// Each team's logo, as its roster page names it: a square in the team's
// first colour with a frame and its initials in the second.
#pragma once

#include <string>

#include "image_files.h"
#include "league.h"

namespace sample {

inline constexpr int kLogoSize = 64;

// "AB" from "Alder Bay", "CO" from "Coldwater": the first letters of the
// first two words (split at spaces and hyphens) that have one, else the
// first two letters (accented letters folded, upper case).
std::string team_initials(const Team& team);

IndexedImage draw_logo(const Team& team);

// The logo file's bytes, GIF or PNG as the file name's extension says.
// Throws std::runtime_error for any other extension.
std::string logo_file_bytes(const Team& team);

}  // namespace sample
