// Cutting one game row of the schedule page into its values.
#pragma once

#include <string>
#include <string_view>

namespace vr {

// The row's four cells, copied out of the reader (the buffers are reused
// from row to row), with the number of the row's first line.
struct GameRowCells {
    std::string dateCell;
    std::string team1Cell;
    std::string team2Cell;
    std::string resultCell;
    long startLine = 0;

    long dateLine() const { return startLine + 1; }
    long team1Line() const { return startLine + 2; }
    long team2Line() const { return startLine + 3; }
    long resultLine() const { return startLine + 4; }
};

struct TeamCell {
    std::string_view name;
    std::string_view rosterLink;
    std::string_view number;
};

// Views into the cells; nothing is trimmed.
struct GameRow {
    std::string_view boxScoreLink;
    std::string_view team1Score;
    std::string_view team2Score;
    std::string_view gameDayText;
    std::string_view gameNumberText;
    TeamCell team1;
    TeamCell team2;
    std::string_view gameDate;
};

// All ten cuts in their order: result cell, box score link, first and
// second team cell, date cell. A missing separator or a text shorter than a
// cut takes away is "Invalid argument" at the line of the cell.
// Each stop says what the cell should have held, quoting it.
GameRow cutGameRow(const GameRowCells& cells, std::string_view page);

// What the user reads for a stop at the result cell: that the score shown
// has no "-" when so (a score "94 100" makes the cuts take the "-" of the
// link, and fail further on), `otherwise` else. Windows-1252 bytes.
std::string resultCellTrouble(std::string_view resultCell, std::string otherwise);

} // namespace vr
