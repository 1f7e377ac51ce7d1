// The line writer: a game record's box lines (a name, a move to column 30,
// three numbers in print zones, the points leaders line), into a file system
// that keeps nothing.
#include "text/line_writer.h"

#include <benchmark/benchmark.h>

namespace vr::bench {
namespace {

class NullFileSystem final : public FileSystem {
public:
    Handle open(const std::string&, OpenMode) override { return 3; }
    std::size_t read(Handle, char*, std::size_t) override { return 0; }
    void write(Handle, const char* data, std::size_t n) override {
        benchmark::DoNotOptimize(data);
        written += n;
    }
    void flush(Handle) override {}
    void close(Handle) override {}
    EntryKind kind(const std::string&) override { return EntryKind::Missing; }
    std::vector<std::string> list(const std::string&) override { return {}; }
    void rename(const std::string&, const std::string&) override {}
    void remove(const std::string&) override {}
    std::size_t written = 0;
};

void BM_LineWriterPlayerLines(benchmark::State& state) {
    NullFileSystem fs;
    LineWriter writer(fs, fs.open("", OpenMode::Output), "Test.txt");
    std::size_t lines = 0;
    for (auto _ : state) {
        writer.text("Hector Parker").moveTo(30);
        writer.number(18, After::Zone).number(7, After::Zone).number(1, After::EndLine);
        writer.number(31, After::Zone).number(28, After::Zone).number(27.5, After::Zone);
        writer.number(NumberValue{}, After::Zone).number(NumberValue{}, After::EndLine);
        lines += 2;
    }
    writer.close();
    state.SetItemsProcessed(static_cast<std::int64_t>(lines));
    state.SetBytesProcessed(static_cast<std::int64_t>(fs.written));
}
BENCHMARK(BM_LineWriterPlayerLines);

void BM_LineWriterTextLines(benchmark::State& state) {
    NullFileSystem fs;
    LineWriter writer(fs, fs.open("", OpenMode::Output), "Test.txt");
    const std::string line = "Game 245-3: North Ridge 78, Lake City 65";
    for (auto _ : state) writer.line(line);
    writer.close();
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
    state.SetBytesProcessed(static_cast<std::int64_t>(fs.written));
}
BENCHMARK(BM_LineWriterTextLines);

} // namespace
} // namespace vr::bench
