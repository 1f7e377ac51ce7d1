#include "text/stats_in_parts.h"

#include <gtest/gtest.h>

#include <thread>

namespace vr {
namespace {

std::vector<FileSystem::NamedStat> entriesNamed(std::size_t n) {
    std::vector<FileSystem::NamedStat> entries(n);
    for (std::size_t i = 0; i < n; ++i) entries[i].name = "f" + std::to_string(1000 + i);
    return entries;
}

// A reader waits for the part holding its entry, and only for that: the
// host here takes the parts one at a time, the last only once the first
// has been read.
TEST(StatsInParts, AReaderWaitsForItsPartAlone) {
    StatsInParts parts;
    std::atomic<bool> firstRead{false};
    std::thread host([&] {
        parts.listed(entriesNamed(3 * StatsInParts::kPart), {"f1000"}, false);
        std::size_t from, to;
        while (parts.claim(from, to)) {
            if (from == 2 * StatsInParts::kPart)
                while (!firstRead) std::this_thread::yield();
            for (std::size_t i = from; i < to; ++i) {
                FileStat& st = parts.entries()[i].stat;
                st.kind = EntryKind::File;
                st.known = i != 5; // gone since the listing
                st.size = i;
            }
            parts.taken(from);
        }
        parts.finish();
    });
    ASSERT_TRUE(parts.wasListed());
    EXPECT_EQ(parts.takeFiles(), std::vector<std::string>{"f1000"});
    EXPECT_TRUE(parts.takeFiles().empty());
    ASSERT_NE(parts.find("f1001"), nullptr);
    EXPECT_EQ(parts.find("f1001")->size, 1u);
    EXPECT_EQ(parts.find("f1005"), nullptr);
    EXPECT_EQ(parts.find("f0999"), nullptr);
    firstRead = true;
    ASSERT_NE(parts.find("f1191"), nullptr);
    EXPECT_EQ(parts.find("f1191")->size, 191u);
    host.join();
}

// However the host ends, no reader waits for ever: a folder never listed
// has no entries, and parts never taken answer nothing.
TEST(StatsInParts, AHostThatEndsEarlyLeavesNoReaderWaiting) {
    StatsInParts unlisted;
    unlisted.finish();
    EXPECT_FALSE(unlisted.wasListed());
    EXPECT_EQ(unlisted.find("f1000"), nullptr);

    StatsInParts cut;
    cut.listed(entriesNamed(2 * StatsInParts::kPart), {}, false);
    std::size_t from, to;
    ASSERT_TRUE(cut.claim(from, to));
    for (std::size_t i = from; i < to; ++i) cut.entries()[i].stat.known = true;
    cut.taken(from);
    std::thread host([&] { cut.finish(); });
    EXPECT_EQ(cut.find("f1100"), nullptr);
    EXPECT_NE(cut.find("f1000"), nullptr);
    host.join();
}

} // namespace
} // namespace vr
