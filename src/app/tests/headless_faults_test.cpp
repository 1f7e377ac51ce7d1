// The default headless run (--run, the play-by-play index kept and the
// play-by-play folder listed on another thread while the load reads) on a
// small generated league on disk, with every file operation of this thread
// failing in turn: each run either stops, naming the fault, or ends as the
// run without faults did; in both cases every file holds its old bytes or
// the new ones, and no temporary twin is left. The listing on the other
// thread failing changes nothing.
#include "app/headless.h"
#include "testsupport/fixed_clock.h"
#include "testsupport/forwarding_file_system.h"
#include "testsupport/generated_league.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <thread>

namespace vr {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>; // relative path -> bytes

// Fails the n-th open, read, write, close or rename made on the thread that
// made it (the run's own), with "Device I/O error"; the listing on the other
// thread can be made to fail on its own.
class FaultFileSystem : public testing::ForwardingFileSystem {
public:
    FaultFileSystem(long failAt, bool failListing)
        : ForwardingFileSystem(hostFileSystem()), failAt_(failAt), failListing_(failListing) {}

    Handle open(const std::string& path, OpenMode mode) override {
        count();
        return ForwardingFileSystem::open(path, mode);
    }
    Handle openIn(Folder folder, const std::string& folderPath, std::string_view name, OpenMode mode) override {
        count();
        return ForwardingFileSystem::openIn(folder, folderPath, name, mode);
    }
    std::size_t read(Handle h, char* buffer, std::size_t n) override {
        count();
        return ForwardingFileSystem::read(h, buffer, n);
    }
    void write(Handle h, const char* data, std::size_t n) override {
        count();
        ForwardingFileSystem::write(h, data, n);
    }
    void close(Handle h) override {
        count();
        ForwardingFileSystem::close(h);
    }
    void rename(const std::string& from, const std::string& to) override {
        count();
        ForwardingFileSystem::rename(from, to);
    }
    bool listStats(const std::string& folder, std::vector<NamedStat>& entries) override {
        if (failListing_ && std::this_thread::get_id() != owner_) return false;
        return ForwardingFileSystem::listStats(folder, entries);
    }
    bool listsStatsAside() const override { return true; }

    long operations() const { return operations_; }
    bool failed() const { return failed_; }

private:
    void count() {
        if (std::this_thread::get_id() != owner_) return;
        if (++operations_ == failAt_) {
            failed_ = true;
            throw Stop(StopKind::DeviceIOError);
        }
    }

    const std::thread::id owner_ = std::this_thread::get_id();
    long failAt_;
    bool failListing_;
    long operations_ = 0;
    bool failed_ = false;
};

Files filesUnder(const fs::path& root) {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files[entry.path().lexically_relative(root).generic_string()] = testing::readBytes(entry.path());
    return files;
}

struct Outcome {
    int status = 0;
    std::string err;
    Files league;
    long operations = 0;
    bool failed = false;
};

class HeadlessFaults : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "sets the cache folder with setenv(3)";
#endif
        if (!drive_.ready()) GTEST_SKIP() << "the sample-league generator is not built";
        ASSERT_EQ(drive_.error(), "");
        root_ = drive_.drive().parent_path() / (drive_.drive().filename().string() + "-walk");
        fs::create_directories(root_);
        // A run of one day before leaves other publications, and an index
        // for the walk's runs of two days to read and save.
        fs::copy(drive_.drive(), root_ / "before", fs::copy_options::recursive);
        Outcome first = run("before", 0, false, "1");
        ASSERT_EQ(first.status, 0) << first.err;
        before_ = filesUnder(root_ / "before");
        reference_ = run("before-ref", 0, false);
        ASSERT_EQ(reference_.status, 0) << reference_.err;
    }
    void TearDown() override {
        std::error_code ignored;
        if (!root_.empty()) fs::remove_all(root_, ignored);
    }

    // A run on a copy of the league (and of the index) as `name`.
    Outcome run(const std::string& name, long failAt, bool failListing, const char* days = "2") {
        const fs::path drive = root_ / name, cache = root_ / (name + "-cache");
        if (name != "before") {
            fs::remove_all(drive);
            fs::remove_all(cache);
            fs::copy(root_ / "before", drive, fs::copy_options::recursive);
            if (fs::exists(root_ / "before-cache")) fs::copy(root_ / "before-cache", cache, fs::copy_options::recursive);
        }
#ifndef _WIN32
        ::setenv("VELLOR_CACHE_DIR", cache.string().c_str(), 1);
#endif
        FaultFileSystem faulty(failAt, failListing);
        std::ostringstream out, err;
        Outcome o;
        testing::FixedClock clock;
        o.status = runHeadless({"--run", "--days", days}, out, err, faulty, drive.string(), &clock);
#ifndef _WIN32
        ::unsetenv("VELLOR_CACHE_DIR");
#endif
        o.err = err.str();
        o.league = filesUnder(drive);
        o.operations = faulty.operations();
        o.failed = faulty.failed();
        return o;
    }

    testing::GeneratedDrive drive_{"--teams 4 --games-per-day 2 --first-day 240 --last-day 250 "
                                   "--last-simulated-day 248 --bracket 0"};
    fs::path root_;
    Files before_;
    Outcome reference_;
};

TEST_F(HeadlessFaults, EveryOperationFailingInTurnLeavesOldOrNewFiles) {
#ifndef _WIN32
    ASSERT_GT(reference_.operations, 50);
    std::vector<std::string> problems;
    for (long n = 1; n <= reference_.operations; ++n) {
        const Outcome o = run("walk", n, false);
        const std::string at = "operation " + std::to_string(n) + ": ";
        if (!o.failed) problems.push_back(at + "never reached");
        if (o.status != 0 && o.err.rfind(std::string(testing::kFixedTime) + " Device I/O error", 0) != 0) problems.push_back(at + "stopped with " + o.err);
        if (o.status == 0 && o.league != reference_.league) problems.push_back(at + "went on but published otherwise");
        for (const auto& [file, bytes] : o.league) {
            if (file.size() > 4 && file.compare(file.size() - 4, 4, ".new") == 0) problems.push_back(at + file + " left");
            auto old = before_.find(file);
            auto fresh = reference_.league.find(file);
            const bool isOld = old != before_.end() && old->second == bytes;
            const bool isNew = fresh != reference_.league.end() && fresh->second == bytes;
            if (!isOld && !isNew) problems.push_back(at + file + " neither old nor new");
        }
    }
    if (problems.size() > 20) problems.resize(20);
    EXPECT_EQ(problems, std::vector<std::string>{});
#endif
}

TEST_F(HeadlessFaults, TheListingFailingOnItsThreadChangesNothing) {
#ifndef _WIN32
    const Outcome o = run("listing", 0, true);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.league, reference_.league);
#endif
}

} // namespace
} // namespace vr
