// The line reader over a page held in memory: every line, and the search for
// the "Player of the Game:" line that ends each play-by-play lookup.
#include "sample_pages.h"
#include "text/cuts.h"
#include "text/line_reader.h"
#include "text/memory_file_system.h"

#include <benchmark/benchmark.h>

namespace vr::bench {
namespace {

constexpr std::string_view kLabel = "Player of the Game:";

void BM_LineReaderAllLines(benchmark::State& state) {
    MemoryFileSystem fs;
    const std::string text = playByPlayText();
    fs.setFile("/pbp.txt", text);
    for (auto _ : state) {
        LineReader reader(fs, fs.open("/pbp.txt", OpenMode::Input), "pbp.txt");
        std::size_t bytes = 0;
        while (!reader.atEnd()) bytes += reader.readLine().size();
        benchmark::DoNotOptimize(bytes);
        reader.close();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LineReaderAllLines);

// The lookup as a loop over lines, each tested for the label.
void BM_PlayerOfTheGameLineByLine(benchmark::State& state) {
    MemoryFileSystem fs;
    const std::string text = playByPlayText();
    fs.setFile("/pbp.txt", text);
    for (auto _ : state) {
        LineReader reader(fs, fs.open("/pbp.txt", OpenMode::Input), "pbp.txt");
        std::string_view line;
        do {
            line = reader.readLine();
        } while (!startsWith(line, kLabel));
        benchmark::DoNotOptimize(line);
        reader.close();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_PlayerOfTheGameLineByLine);

} // namespace
} // namespace vr::bench
