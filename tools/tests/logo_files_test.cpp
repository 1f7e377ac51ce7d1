// The logos the roster pages name: a file for each, a real GIF or PNG as
// its name says, large enough for the pages, in the team's colour. (The
// browser check decodes them.)
#include <gtest/gtest.h>

#include "page_reading.h"
#include "sample_league/team_logo.h"

namespace pagecheck {
namespace {

unsigned word_le(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
unsigned word_be32(const std::string& b, std::size_t at) {
    unsigned v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::string rgb_bytes(const std::string& hex) {
    std::string rgb;
    for (int i = 0; i < 3; ++i) rgb += static_cast<char>(std::stoi(hex.substr(1 + 2 * i, 2), nullptr, 16));
    return rgb;
}

void check_logos(const TestLeague& league) {
    for (const ManifestTeam& team : league.manifest.team_lines) {
        SCOPED_TRACE(team.logo);
        const fs::path file = league.folder / "html" / "images" / team.logo;
        ASSERT_TRUE(fs::is_regular_file(file));
        const std::string bytes = read_bytes(file);
        ASSERT_GT(bytes.size(), 64u);
        unsigned width = 0, height = 0;
        std::string palette;
        if (ends_with(team.logo, ".png")) {
            ASSERT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1A\n");
            ASSERT_EQ(bytes.substr(12, 4), "IHDR");
            width = word_be32(bytes, 16);
            height = word_be32(bytes, 20);
            const auto plte = bytes.find("PLTE");
            ASSERT_NE(plte, std::string::npos);
            palette = bytes.substr(plte + 4, word_be32(bytes, plte - 4));
        } else {
            ASSERT_TRUE(ends_with(team.logo, ".gif"));
            ASSERT_EQ(bytes.substr(0, 6), "GIF89a");
            ASSERT_EQ(bytes.back(), ';');
            width = word_le(bytes, 6);
            height = word_le(bytes, 8);
            palette = bytes.substr(13, 3u << ((static_cast<unsigned char>(bytes[10]) & 7) + 1));
        }
        EXPECT_GE(width, 40u);
        EXPECT_EQ(width, height);
        bool field = false;
        for (std::size_t at = 0; at + 3 <= palette.size(); at += 3) field = field || palette.substr(at, 3) == rgb_bytes(team.color1);
        EXPECT_TRUE(field) << "the team's first colour " << team.color1 << " is not in the picture";
    }
}

TEST(LogoFiles, EveryRosterLogoIsAPictureInTheTeamsColour) {
    check_logos(edge_league());
    check_logos(plain_league());
}

TEST(LogoFiles, InitialsFromTheTeamsName) {
    auto initials = [](const char* name) {
        sample::Team t;
        t.number = 7;
        t.plain_name = name;
        return sample::team_initials(t);
    };
    EXPECT_EQ(initials("Alder Creek A&M"), "AC");
    EXPECT_EQ(initials("Upper >Valley"), "UV");
    EXPECT_EQ(initials("\311cole Normale"), "EN");  // accents folded
    EXPECT_EQ(initials("Coldwater"), "CO");
    EXPECT_EQ(initials("Marlow-Hensley 2"), "MH");
    EXPECT_EQ(initials("42"), "7");
}

}  // namespace
}  // namespace pagecheck
