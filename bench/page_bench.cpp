// The page import's reading of a 9 MiB clipboard: today's layout found in its text and in its
// text read as HTML, the older fragments looked for, on pages made to be slow — entities without
// ";", tags without ">", and random markup.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/import/hoerdat_page.h"
#include "core/import/hoerdat_plays.h"

namespace {

constexpr std::size_t kPageBytes = std::size_t{9} << 20;

std::string Page(int kind) {
  if (kind == 0) return "<p>" + std::string(kPageBytes, '&');
  std::string page = "<p>";
  if (kind == 1) {
    while (page.size() < kPageBytes)
      page += "<a";
    return page;
  }
  std::mt19937 random(1);
  const std::string alphabet = "<>&;#abcx:\n ";
  while (page.size() < kPageBytes)
    page += alphabet[random() % alphabet.size()];
  return page;
}

void BM_ImportPage(benchmark::State& state) {
  const std::string page = Page(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(velmora::ReadHoerdatPage(page));
    benchmark::DoNotOptimize(velmora::ReadClipboardPlays(page, std::nullopt));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}
// 0: "&" without ";", 1: "<" without ">", 2: random markup.
BENCHMARK(BM_ImportPage)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
