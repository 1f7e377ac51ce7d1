// The results digest (~daily.txt) read back as its parts, so that the posts
// can set each part in the form of the place it is pasted to. Texts are
// UTF-8, decoded for posts (entities included).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vr {

struct DigestDay {
    std::string heading;              // "Top 25 Results for <date>"
    std::vector<std::string> results; // "(5)Ridgefield 81, (NR)Lakeshore 77"
};

struct DigestLeader {
    std::string rank;  // "1"
    std::string value; // "31", as the digest wrote it
    std::string label; // "P. Name, Team (Nov20)"
};

struct DigestLeaderList {
    std::string heading; // "Points Scored in a Game"
    std::vector<DigestLeader> entries; // the filled ones only
};

struct Digest {
    std::string heading;        // "RESULTS FOR THE PERIOD OF: <first> - <last>"
    std::string firstDate, lastDate;
    std::vector<DigestDay> days;
    std::string leadersHeading; // "STAT LEADERS FOR THE PERIOD OF: ..."
    std::vector<DigestLeaderList> leaders;
    std::string website;
    // The period's page for phones below the website ("seasons/2009-10/
    // period-day251.html"); set by the archive, not read from the digest.
    std::string periodPage;
    // Where the sending's profile says the html folder is seen on the web
    // (its "web"), and the period's archived scoreboard page below it
    // ("seasons/2009-10/scoreboard-day251.html"): with both, the posts end
    // with links to that page and to periods.html.
    std::string siteWeb;
    std::string scoreboardPage;
};

// The parts of a digest as the run writes it; lines it does not know are
// left out rather than guessed at.
Digest readDigest(std::string_view bytes);

} // namespace vr
