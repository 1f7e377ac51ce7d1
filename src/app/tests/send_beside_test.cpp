// The words of the windows' status line and the sending dialog's address in
// parts: what GO! published, where a send went, a failure's one line.
#include "app/send_beside.h"
#include "app/send_settings.h"

#include <gtest/gtest.h>

#include <memory>

namespace vr {
namespace {

TEST(StatusLine, PublishedCountsThePeriodsGamesBetweenItsFirstAndLastDates) {
    auto state = std::make_unique<LeagueState>();
    state->days.firstDay = 245;
    state->days.gamesPerDay[245] = 20;
    state->days.gamesPerDay[247] = 16;
    state->games.entry(245, 1).set(GameEntry::GameDate, "11/18/2009 ");
    state->games.entry(247, 1).set(GameEntry::GameDate, "11/20/2009");
    EXPECT_EQ(publishedLine(*state, Period{247, 3}), "Published 36 games \u00b7 11/18/2009\u201311/20/2009");
    EXPECT_EQ(publishedLine(*state, Period{247, 1}), "Published 16 games \u00b7 11/20/2009");
    // Days before the season's first are not the period's.
    state->days.gamesPerDay[245] = 1;
    EXPECT_EQ(publishedLine(*state, Period{245, 10}), "Published 1 game \u00b7 11/18/2009");
}

TEST(StatusLine, SentNamesThePlaceAndDiscordAFailureIsItsFirstLineInRed) {
    SendOutcome sent;
    sent.siteShown = "sftp://league.example.org/public_html/league";
    sent.discordMessages = 3;
    sent.lines = {"sent to sftp://league.example.org/public_html/league: 12 files"};
    StatusLine line = finishedLine(sent, "18:42");
    EXPECT_EQ(line.text, "Sent to league.example.org at 18:42 \u00b7 Discord: 3 messages");
    EXPECT_FALSE(line.failure);
    sent.siteShown = "file:///C:/league";
    sent.discordMessages = 1;
    EXPECT_EQ(finishedLine(sent, "09:05").text, "Sent to C:/league at 09:05 \u00b7 Discord: 1 message");
    sent.siteShown.clear();
    EXPECT_EQ(finishedLine(sent, "09:05").text, "Sent at 09:05 \u00b7 Discord: 1 message");

    SendOutcome failed;
    failed.lines = {"posted to Discord (day 249): 3 new, 0 edited"};
    failed.failures = {"Sending to ftps://h.example/ failed: the login\nwas refused.", "Posting failed."};
    line = finishedLine(failed, "18:42");
    EXPECT_TRUE(line.failure);
    EXPECT_EQ(line.text, "Sending to ftps://h.example/ failed: the login was refused.");
    EXPECT_EQ(line.whole, "posted to Discord (day 249): 3 new, 0 edited\n\nSending to ftps://h.example/ failed: the "
                          "login\nwas refused.\nPosting failed.");
}

TEST(SendForm, AddressesGoIntoPartsAndBack) {
    const char* addresses[] = {"sftp://league.example.org/public_html/league", "ftps://h.example:2121/site/",
                               "ftp://h.example/", "file:///srv/league", "file:///C:/league",
                               "sftp://[::1]:2222/x"};
    for (const char* a : addresses) EXPECT_EQ(siteAddress(siteParts(a)), a);
    const SiteParts p = siteParts("ftps://h.example:2121/site");
    EXPECT_EQ(p.protocol, "ftps");
    EXPECT_EQ(p.server, "h.example");
    EXPECT_EQ(p.port, "2121");
    EXPECT_EQ(p.folder, "/site");
    EXPECT_EQ(siteAddress(SiteParts{"sftp", "h.example", "", "public_html"}), "sftp://h.example/public_html");
    EXPECT_EQ(siteAddress(SiteParts{"sftp", "", "", "/x"}), "");
    // A Windows drive's folder without the URL's slash before it, and as typed.
    EXPECT_EQ(siteParts("file:///C:/league").folder, "C:/league");
    EXPECT_EQ(siteAddress(SiteParts{"file", "", "", "C:\\Users\\me\\league"}), "file:///C:/Users/me/league");
    // What a protocol does not use stays out of the profile.
    SendForm form;
    form.site = SiteParts{"file", "ignored", "", "/srv/league"};
    form.user = "u";
    form.password = "p";
    form.hostKey = "SHA256:x";
    const SendProfile profile = profileOf(form);
    ASSERT_TRUE(profile.site);
    EXPECT_EQ(profile.site->address, "file:///srv/league");
    EXPECT_TRUE(profile.site->user.empty() && profile.site->password.empty() && profile.site->hostKey.empty());
    EXPECT_FALSE(profile.discord);
}

} // namespace
} // namespace vr
