// Pages the game exports end with their closing </html> line. A page that
// ends sooner is one the game is still writing, or whose copy was cut: a
// run that took it as it is would publish a part of the league as the
// whole, so it stops and names the page.
#pragma once

#include "league/league_folder.h"
#include "text/errors.h"
#include "text/line_reader.h"

#include <string_view>

namespace vr {

// "End of file" for a cut-short page; the watch waits for the page to be
// whole, as for a half-finished export.
class PageCutShort : public Stop {
public:
    explicit PageCutShort(std::string_view page);
};

// Whether a line ends with the page's closing tag ("</body></html>" does;
// trailing spaces and tabs and the letters' case aside).
bool isPageClose(std::string_view line);

// Reads the rest of `page`, whose reading is done; stops with PageCutShort
// unless its last line that is not blank closes the page. Where no such
// line is left, the page is read again from the top to find it.
void checkPageEnd(LeagueFolder& league, LineReader& page);

// For the reading of a page that stopped: an "End of file" stop at a page
// (a .htm file) that does not end whole is thrown as PageCutShort; any
// other stop is left to the caller to throw again. A whole page that ended
// too soon keeps its own stop, with its line.
void throwIfCutShort(LeagueFolder& league, const Stop& stop);

// Whether the page in the league folder ends whole, read from its top.
bool pageEndsWhole(LeagueFolder& league, std::string_view page);

} // namespace vr
