// The search for the "Player of the Game:" line in a play-by-play file held
// in memory: the reader's own search beside a loop over lines and beside
// the C library's searches, on the same bytes.
#include "sample_pages.h"
#include "text/cuts.h"
#include "text/line_reader.h"
#include "text/memory_file_system.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace vr::bench {
namespace {

constexpr std::string_view kLabel = "Player of the Game:";

void BM_SearchReaderLineByLine(benchmark::State& state) {
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
BENCHMARK(BM_SearchReaderLineByLine);

void BM_SearchReaderStartingWith(benchmark::State& state) {
    MemoryFileSystem fs;
    const std::string text = playByPlayText();
    fs.setFile("/pbp.txt", text);
    for (auto _ : state) {
        LineReader reader(fs, fs.open("/pbp.txt", OpenMode::Input), "pbp.txt");
        benchmark::DoNotOptimize(reader.readLineStartingWith(kLabel));
        reader.close();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SearchReaderStartingWith);

// The bare searches over the bytes, without the reader.
void BM_SearchFindAtLineStart(benchmark::State& state) {
    const std::string text = playByPlayText();
    for (auto _ : state) benchmark::DoNotOptimize(findAtLineStart(text.data(), text.size(), kLabel));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SearchFindAtLineStart);

void BM_SearchMemmem(benchmark::State& state) {
    const std::string text = playByPlayText();
    for (auto _ : state)
        benchmark::DoNotOptimize(memmem(text.data(), text.size(), kLabel.data(), kLabel.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SearchMemmem);

void BM_SearchStringViewFind(benchmark::State& state) {
    const std::string text = playByPlayText();
    for (auto _ : state) benchmark::DoNotOptimize(std::string_view(text).find(kLabel));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SearchStringViewFind);

void BM_FindLineEndMemchr(benchmark::State& state) {
    const std::string text = playByPlayText();
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const char* p = text.data(); (p = static_cast<const char*>(memchr(p, '\n', text.data() + text.size() - p)));
             ++p)
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FindLineEndMemchr);

void BM_FindLineEnd(benchmark::State& state) {
    const std::string text = playByPlayText();
    for (auto _ : state) {
        std::size_t lines = 0;
        for (std::size_t at = 0; at < text.size(); ++at, ++lines)
            at += findLineEnd(text.data() + at, text.size() - at);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FindLineEnd);

} // namespace
} // namespace vr::bench
