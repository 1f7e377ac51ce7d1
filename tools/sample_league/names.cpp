#include "names.h"

#include <algorithm>
#include <string_view>

#include "text_out.h"

namespace sample {
namespace {

// Place names for teams. Octal escapes keep the accented letters as single
// Windows-1252 bytes whatever follows them.
constexpr std::string_view kPlaces[] = {
    "Ashford", "Bellmore", "Calloway", "Dunmore", "Elmsworth", "Fairhaven", "Glenrock",
    "Harlow", "Ivywood", "Jasper Falls", "Kestrel Bay", "Larkspur", "Marlow", "Northgate",
    "Oakhurst", "Pinecrest", "Quarry Hill", "Ravensworth", "Stonebridge", "Thornbury",
    "Umber Valley", "Vantage", "Westbrook", "Yarrow", "Zephyr Point", "Alder Creek",
    "Birchwood", "Cobalt Ridge", "Driftwood", "Eastmere", "Foxhollow", "Granite Peak",
    "Hollowmere", "Ironwood", "Juniper", "Kingsmere", "Lindale", "Millbrook", "Netherby",
    "Orchard Park", "Pemberton", "Redcliff", "Silverlake", "Tamarack", "Underhill",
    "Valewood", "Whitmore", "Wrenfield", "Ashgrove", "Brightwater", "Cedar Bluff",
    "Beaupr\351", "Corv\351lle", "Ch\342teaulac", "Belle Rivi\350re", "Sainte Ir\350ne",
    "S\343o Ven\342ncio", "La Pe\361a", "M\374hlberg", "\305sterby", "Mont\351ric",
    "Lakeport", "Mesa Verde Flats", "Rookwood",
};

constexpr std::string_view kPatterns[] = {
    "%", "% State", "North %", "South %", "East %", "West %",
    "% Tech", "% A&amp;M", "% College", "Central %", "% Christian", "% Poly",
};

constexpr std::string_view kNicknames[] = {
    "Hawks", "Otters", "Foxes", "Comets", "Rams", "Herons", "Lynx", "Pioneers", "Mariners",
    "Badgers", "Falcons", "Rangers", "Stags", "Owls", "Bison", "Wolves", "Ospreys", "Cougars",
    "Thunder", "Miners", "Knights", "Huskies", "Eagles", "Hornets", "Panthers", "Pilots",
    "Dragons", "Blue Jays", "Raiders", "Titans", "Coyotes", "Bobcats", "Kestrels", "Hounds",
    "Gulls", "Beacons", "Anchors", "Red Foxes", "Grizzlies", "Storm",
};

constexpr std::string_view kArenaKinds[] = {"Fieldhouse", "Arena", "Coliseum", "Gymnasium", "Events Center"};

constexpr std::string_view kConferenceWords[] = {
    "Harbor", "Prairie", "Granite", "Summit", "Lakeshore", "Frontier", "Heartland", "Cascade",
    "Canyon", "Delta", "Piedmont", "Tidewater", "Plains", "Highland", "Riverside", "Timberline",
    "Gulf", "Keystone", "Pacific Rim", "Northern", "Southern", "Valley", "Mountain", "Coastal",
    "Capital", "Great Lakes", "Desert", "Ridge", "Bayou", "Atlantic Shore", "Midland", "Pine Belt",
};

constexpr std::string_view kFirstNames[] = {
    "Tom", "Marcus", "Devin", "Andre", "Jalen", "Tyler", "Chris", "Darius", "Kevin", "Brandon",
    "Isaiah", "Malik", "Jordan", "Evan", "Nate", "Caleb", "Luke", "Owen", "Trey", "Xavier",
    "Derek", "Jamal", "Corey", "Miles", "Grant", "Quinn", "Reggie", "Shawn", "Terrence", "Victor",
    "Wesley", "Zach", "Aaron", "Bryce", "Cole", "Damon", "Elijah", "Felix", "Gavin", "Hector",
    "Ian", "Jonah", "Keith", "Lamar", "Mason", "Noah", "Omar", "Pierce", "Rashad", "Seth",
    "Andr\351", "Jos\351", "Ren\351", "J\366rg", "Bj\366rn", "Se\341n", "Fran\347ois", "Ra\372l",
    "Dante", "Emeka", "Kofi", "Tariq", "Yusuf", "Anton", "Lars", "Mateo", "Nikola", "Pavel",
};

constexpr std::string_view kLastNames[] = {
    "Baker", "Smith", "Johnson", "Williams", "Brown", "Jones", "Miller", "Davis", "Wilson",
    "Anderson", "Thomas", "Taylor", "Moore", "Jackson", "Martin", "Lee", "Thompson", "White",
    "Harris", "Clark", "Lewis", "Robinson", "Walker", "Young", "Allen", "King", "Wright", "Scott",
    "Green", "Adams", "Nelson", "Hill", "Campbell", "Mitchell", "Roberts", "Carter", "Phillips",
    "Evans", "Turner", "Parker", "Collins", "Edwards", "Stewart", "Morris", "Murphy", "Cook",
    "Rogers", "Morgan", "Cooper", "Peterson", "Reed", "Bailey", "Bell", "Kelly", "Howard", "Ward",
    "Cox", "Richardson", "Wood", "Watson", "Brooks", "Bennett", "Gray", "James", "Hughes", "Price",
    "Sanders", "Myers", "Long", "Ross", "Foster", "Powell", "Jenkins", "Perry", "Russell",
    "Sullivan", "Fisher", "Henderson", "Coleman", "Simmons", "Patterson", "Jordan", "Reynolds",
    "Hamilton", "Graham", "Wallace", "Okafor", "Adeyemi", "Nwosu", "Kowalski", "Lindqvist",
    "Nu\361ez", "M\374ller", "Ib\341\361ez", "L\363pez", "Sch\366n", "Gonz\341lez", "Dub\351",
    "Fran\347ois", "Sorensen", "Petrovic", "Haddad", "Tanaka", "Osei", "Mensah", "Dillard",
    "Whitfield", "Lockhart", "Pruitt", "Merriweather", "Castellanos", "Abernathy",
};

constexpr const char* kHex = "0123456789ABCDEF";

std::string colour(Rng& rng) {
    std::string c = "#";
    for (int i = 0; i < 6; ++i) c += kHex[rng.below(16)];
    return c;
}

// Letters and digits of a name, accents folded, for file names.
std::string file_stem(std::string_view name) {
    std::string stem;
    for (unsigned char c : name) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            stem += static_cast<char>(c);
        } else if (c >= 0xC0) {
            // The accented letters used above, folded to their base letter.
            static const std::string_view from = "\342\343\341\350\351\361\363\366\372\374\347\305";
            static const std::string_view to = "aaaeenoouucA";
            const auto at = from.find(static_cast<char>(c));
            if (at != std::string_view::npos) stem += to[at];
        }
    }
    return stem;
}

std::string fill_pattern(std::string_view pattern, std::string_view place) {
    std::string out;
    for (char c : pattern) {
        if (c == '%')
            out.append(place);
        else
            out += c;
    }
    return out;
}

}  // namespace

std::string plain_text(const std::string& page_text) {
    std::string out = page_text;
    for (std::size_t at; (at = out.find("&amp;")) != std::string::npos;) out.replace(at, 5, "&");
    return out;
}

std::vector<std::string> conference_names(int count) {
    std::vector<std::string> names;
    const int words = static_cast<int>(std::size(kConferenceWords));
    for (int i = 0; i < count; ++i) {
        std::string name(kConferenceWords[i % words]);
        name += " Conference";
        if (i >= words) name += " " + num(i / words + 1);
        names.push_back(name);
    }
    return names;
}

void name_teams(std::vector<Team>& teams, bool odd_names, Rng& rng) {
    const int places = static_cast<int>(std::size(kPlaces));
    const int patterns = static_cast<int>(std::size(kPatterns));
    std::vector<int> combos(static_cast<std::size_t>(places * patterns));
    for (std::size_t i = 0; i < combos.size(); ++i) combos[i] = static_cast<int>(i);
    rng.shuffle(combos.data(), combos.size());
    auto combo_name = [&](int combo) { return fill_pattern(kPatterns[combo % patterns], kPlaces[combo / patterns]); };

    const std::size_t n = teams.size();
    std::vector<std::string> names;
    for (std::size_t i = 0; i < n; ++i) {
        if (i < combos.size()) {
            names.push_back(combo_name(combos[i]));
        } else {
            names.push_back(combo_name(combos[i % combos.size()]) + " " + num(static_cast<int>(i / combos.size()) + 1));
        }
    }
    // Every league has an "&amp;" name and an accented one: pull them in
    // from the unused combinations when chance left them out.
    auto ensure = [&](auto has, std::size_t slot) {
        if (slot >= n) return;
        for (const auto& name : names)
            if (has(name)) return;
        for (std::size_t i = n; i < combos.size(); ++i) {
            std::string candidate = combo_name(combos[i]);
            if (has(candidate)) {
                names[slot] = candidate;
                return;
            }
        }
    };
    // Slots past the few that --odd-names takes over.
    ensure([](const std::string& s) { return s.find("&amp;") != std::string::npos; }, n > 7 ? 7 : n - 1);
    ensure([](const std::string& s) {
        return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    }, n > 9 ? 9 : 0);

    if (odd_names) {
        const char* odd[] = {"Marlow-Hensley", "Upper >Valley", "Bay=Side Poly", "Tarrant, West"};
        for (std::size_t k = 0; k < 4 && k + 1 < n; ++k) names[k + 1] = odd[k];
    }

    const int nicks = static_cast<int>(std::size(kNicknames));
    for (std::size_t i = 0; i < n; ++i) {
        Team& t = teams[i];
        t.name = names[i];
        t.plain_name = plain_text(t.name);
        t.nickname = std::string(kNicknames[rng.below(nicks)]);
        t.arena = t.plain_name + " " + std::string(kArenaKinds[rng.below(5)]);
        t.color1 = colour(rng);
        t.color2 = rng.chance(0.5) ? std::string("#FFFFFF") : colour(rng);
        t.logo = file_stem(t.plain_name) + (rng.chance(0.7) ? ".png" : ".gif");
    }
}

void make_roster(Team& team, int& next_id, bool odd_names, Rng& rng) {
    static const double kTime[] = {1.0, 0.95, 0.9, 0.85, 0.8, 0.55, 0.45, 0.35, 0.25, 0.12, 0.06, 0.03, 0.02};
    static const char kPositions[] = "GGFFCGFGFCGFC";
    const int firsts = static_cast<int>(std::size(kFirstNames));
    const int lasts = static_cast<int>(std::size(kLastNames));
    team.players.clear();
    std::vector<int> jerseys = {0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15, 20, 21, 22, 23, 24, 25,
                                30, 31, 32, 33, 34, 35, 40, 41, 42, 43, 44, 45, 50, 51, 52, 55};
    rng.shuffle(jerseys.data(), jerseys.size());
    for (int i = 0; i < 13; ++i) {
        Player p;
        std::string first, last;
        for (;;) {
            first = std::string(kFirstNames[rng.below(firsts)]);
            last = std::string(kLastNames[rng.below(lasts)]);
            const std::string candidate = first + " " + last;
            bool taken = false;
            for (const auto& other : team.players) taken = taken || other.name == candidate;
            if (!taken) break;
        }
        if (odd_names) {
            // A hyphenated star, a "Jr." with a comma, and names with '>' and '='.
            const int kind = team.number % 3;
            if (kind == 1 && i == 0) last += "-" + std::string(kLastNames[rng.below(lasts)]);
            if (kind == 2 && i == 1) last += ", Jr.";
            if (kind == 0 && i == 2) last = ">" + last;
            if (kind == 0 && i == 3) last = "=" + last;
        }
        p.name = first + " " + last;
        p.short_name = first.substr(0, 1) + ". " + last;
        p.position = kPositions[i];
        p.year = rng.range(1, 4);
        p.jersey = jerseys[static_cast<std::size_t>(i)];
        p.height_in = p.position == 'G' ? rng.range(70, 78) : p.position == 'F' ? rng.range(76, 81) : rng.range(80, 86);
        p.weight = 150 + (p.height_in - 68) * 6 + rng.range(0, 25);
        p.id = next_id++;
        const double talent = 0.8 + 0.4 * rng.unit();
        p.playing_time = kTime[i] * (0.9 + 0.2 * rng.unit());
        p.scoring = talent * (p.position == 'G' ? 1.1 : p.position == 'F' ? 1.0 : 0.9) * (0.7 + 0.6 * rng.unit());
        p.rebounding = talent * (p.position == 'C' ? 1.6 : p.position == 'F' ? 1.2 : 0.6) * (0.7 + 0.6 * rng.unit());
        p.passing = talent * (p.position == 'G' ? 1.5 : p.position == 'F' ? 0.8 : 0.5) * (0.7 + 0.6 * rng.unit());
        team.players.push_back(std::move(p));
    }
}

}  // namespace sample
