// The line reader over a page held in memory, every line of it.
#include "sample_pages.h"
#include "text/line_reader.h"
#include "text/memory_file_system.h"

#include <benchmark/benchmark.h>

namespace vr::bench {
namespace {

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

} // namespace
} // namespace vr::bench
