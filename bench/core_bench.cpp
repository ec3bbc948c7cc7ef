// Measures the conversion core against its speed goals and prints Google
// Benchmark's table followed by a summary of ratios and goals:
//   - the cutting's scan of 100 MB with no full stop, against the plainest
//     SIMD search for "." over the same buffer (goal: at least 0.8 of its
//     speed);
//   - one load of 100 MB of prose into a fresh list (the scan always runs to
//     the end to count what the full store refused), and the load of just
//     the start that fills the store (goal: at most 0.2 ms per load);
//   - the cutting against the sentence break iterator a user would reach for
//     instead, on the same 10 MB of prose (goal: at least 20 times faster);
//   - saving 1000 sentences of about 120 characters (goal: at most 1 ms).
// "100 MB" here is 100,000,000 bytes of UTF-16: 50,000,000 code units.
// The summary uses processor time, which a busy machine disturbs far less
// than wall-clock time; the table shows both.
// Google Benchmark's own flags (--benchmark_filter, --benchmark_repetitions,
// --benchmark_out, ...) work as usual; the console table is always printed.
#include <benchmark/benchmark.h>
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "bench/bench_texts.h"
#include "bench/collecting_reporter.h"
#include "bench/reference_search.h"
#include "core/numbered_file.h"
#include "core/sentence_splitter.h"
#include "core/sentence_store.h"

namespace {

using vantrel::CutCount;
using vantrel::SentenceStore;
using vantrel::bench::Clock;
using vantrel::bench::CollectingReporter;
namespace bench = vantrel::bench;

constexpr std::size_t kBigUnits = 50'000'000;     // 100 MB of UTF-16
constexpr std::size_t kBreakerUnits = 5'000'000;  // 10 MB of UTF-16
constexpr std::size_t kHeldSentenceUnits = 120;
constexpr double kMegabyte = 1e6;

// Benchmark names, shared by the registrations and the summary.
const std::string kSse2Search = "scan_no_full_stop/sse2_reference";
const std::string kAvx2Search = "scan_no_full_stop/avx2_reference";
const std::string kCutNoStop = "scan_no_full_stop/cut_sentences";
const std::string kCutProse = "prose_100MB/cut_sentences";
const std::string kCutUntilFull = "prose_until_full/cut_sentences";
const std::string kCutUntilFullNewStore =
    "prose_until_full/cut_sentences_new_store";
const std::string kCutProse10 = "prose_10MB/cut_sentences";
const std::string kCountProse10 = "prose_10MB/sse2_count_full_stops";
const std::string kBreakIterator = "prose_10MB/icu_sentence_break_iterator";
const std::string kWriteUtf8 = "write_1000_sentences/utf8";
const std::string kWriteLatin1 = "write_1000_sentences/iso_8859_1";

// The texts are made once, on first use, outside the timed loops.
std::u16string_view prose() {
  static const std::u16string text = bench::make_prose(kBigUnits);
  return text;
}

std::u16string_view no_full_stop_text() {
  static const std::u16string text = bench::without_full_stops(prose());
  return text;
}

// The start of the prose that holds exactly as many sentences as the store.
std::u16string_view prose_until_full() {
  static const std::size_t length = bench::length_of_first_sentences(
      prose(), static_cast<std::size_t>(SentenceStore::kCapacity));
  return prose().substr(0, length);
}

std::u16string_view breaker_prose() { return prose().substr(0, kBreakerUnits); }

// The window keeps one store for its whole life; so do the cutting benchmarks.
SentenceStore& kept_store() {
  static SentenceStore store;
  return store;
}

void set_bytes(benchmark::State& state, std::u16string_view text) {
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(text.size() * 2));
}

void report_count(benchmark::State& state, const CutCount& count) {
  state.counters["added"] = static_cast<double>(count.added);
  state.counters["not_added"] = static_cast<double>(count.not_added);
}

void sse2_search(benchmark::State& state) {
  const std::u16string_view text = no_full_stop_text();
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench::sse2_find_full_stop(text));
  }
  set_bytes(state, text);
}

void avx2_search(benchmark::State& state) {
  if (!bench::has_avx2()) {
    state.SkipWithError("this processor has no AVX2");
    return;
  }
  const std::u16string_view text = no_full_stop_text();
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench::avx2_find_full_stop(text));
  }
  set_bytes(state, text);
}

// One load of `text` after a fresh start, as "Get Clipboard Data" does it.
void cut_into_kept_store(benchmark::State& state, std::u16string_view text) {
  SentenceStore& store = kept_store();
  CutCount count;
  for (auto _ : state) {
    store.fresh_start();
    count = vantrel::cut_sentences(text, store);
    benchmark::DoNotOptimize(count);
  }
  set_bytes(state, text);
  report_count(state, count);
}

void cut_no_full_stop(benchmark::State& state) {
  cut_into_kept_store(state, no_full_stop_text());
}

void cut_prose(benchmark::State& state) { cut_into_kept_store(state, prose()); }

void cut_until_full(benchmark::State& state) {
  cut_into_kept_store(state, prose_until_full());
}

// The first load of a window: every slot's memory is allocated, and freed
// again with the store, inside the timed loop.
void cut_until_full_new_store(benchmark::State& state) {
  const std::u16string_view text = prose_until_full();
  CutCount count;
  for (auto _ : state) {
    auto store = std::make_unique<SentenceStore>();
    store->fresh_start();
    count = vantrel::cut_sentences(text, *store);
    benchmark::DoNotOptimize(count);
  }
  set_bytes(state, text);
  report_count(state, count);
}

void cut_prose_10(benchmark::State& state) {
  cut_into_kept_store(state, breaker_prose());
}

void count_prose_10(benchmark::State& state) {
  const std::u16string_view text = breaker_prose();
  std::size_t count = 0;
  for (auto _ : state) {
    count = bench::sse2_count_full_stops(text);
    benchmark::DoNotOptimize(count);
  }
  set_bytes(state, text);
  state.counters["full_stops"] = static_cast<double>(count);
}

// Walks every sentence boundary the iterator finds; the text is aliased, not
// copied, and the iterator is made once, as a program would keep it.
void icu_break_iterator(benchmark::State& state) {
  const std::u16string_view text = breaker_prose();
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<icu::BreakIterator> breaker(
      icu::BreakIterator::createSentenceInstance(icu::Locale::getEnglish(),
                                                 status));
  if (U_FAILURE(status)) {
    state.SkipWithError(u_errorName(status));
    return;
  }
  const icu::UnicodeString alias(false, text.data(),
                                 static_cast<std::int32_t>(text.size()));
  std::size_t boundaries = 0;
  for (auto _ : state) {
    breaker->setText(alias);
    boundaries = 0;
    breaker->first();
    while (breaker->next() != icu::BreakIterator::DONE) ++boundaries;
    benchmark::DoNotOptimize(boundaries);
  }
  set_bytes(state, text);
  state.counters["sentences"] = static_cast<double>(boundaries);
}

// Saves a full store over the same file in the temporary folder.
void write_store(benchmark::State& state, const std::string& code_page) {
  static SentenceStore store;
  if (store.next_index() <= 1) bench::fill_store(store, kHeldSentenceUnits);
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("vantrel-bench-" + std::to_string(getpid()) + ".txt");
  for (auto _ : state) {
    if (const std::error_code error =
            vantrel::write_sentences(path, store, code_page)) {
      state.SkipWithError(error.message().c_str());
      break;
    }
  }
  std::error_code ignored;
  const auto file_bytes = std::filesystem::file_size(path, ignored);
  if (!ignored) {
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(file_bytes));
  }
  std::filesystem::remove(path, ignored);
}

void write_utf8(benchmark::State& state) { write_store(state, "UTF-8"); }
void write_latin1(benchmark::State& state) { write_store(state, "ISO-8859-1"); }

void register_benchmarks() {
  using benchmark::kMicrosecond;
  using benchmark::kMillisecond;
  const auto add = [](const std::string& name,
                      void (*function)(benchmark::State&),
                      benchmark::TimeUnit unit) {
    benchmark::RegisterBenchmark(name.c_str(), function)->Unit(unit);
  };
  add(kSse2Search, sse2_search, kMillisecond);
  add(kAvx2Search, avx2_search, kMillisecond);
  add(kCutNoStop, cut_no_full_stop, kMillisecond);
  add(kCutProse, cut_prose, kMillisecond);
  add(kCutUntilFull, cut_until_full, kMicrosecond);
  add(kCutUntilFullNewStore, cut_until_full_new_store, kMicrosecond);
  add(kCutProse10, cut_prose_10, kMillisecond);
  add(kCountProse10, count_prose_10, kMillisecond);
  add(kBreakIterator, icu_break_iterator, kMillisecond);
  add(kWriteUtf8, write_utf8, kMicrosecond);
  add(kWriteLatin1, write_latin1, kMicrosecond);
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

// "12.345 ms", or "not run" when the benchmark was filtered out or failed.
std::string milliseconds(std::optional<double> seconds) {
  if (!seconds) return "not run";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f ms", *seconds * 1e3);
  return buffer;
}

// "0.123 ms (met)" against an upper bound, or "not run".
std::string within(std::optional<double> seconds, double goal_seconds) {
  if (!seconds) return "not run";
  return milliseconds(seconds) + " (" + verdict(*seconds <= goal_seconds) + ")";
}

std::optional<double> cpu(const CollectingReporter& results,
                          const std::string& name) {
  return results.seconds(name, Clock::kCpu);
}

void print_scan_summary(const CollectingReporter& results) {
  const auto cut = cpu(results, kCutNoStop);
  const auto sse2 = cpu(results, kSse2Search);
  const auto avx2 = cpu(results, kAvx2Search);
  std::printf("scan, 100 MB without a full stop: cutting %s, SSE2 search %s",
              milliseconds(cut).c_str(), milliseconds(sse2).c_str());
  if (cut && sse2) {
    const double ratio = *sse2 / *cut;
    std::printf(" -> %.2f of the SIMD search's speed (goal >= 0.8): %s", ratio,
                verdict(ratio >= 0.8));
  }
  std::printf("\n");
  if (cut && avx2) {
    std::printf("    (AVX2 search %s: the cutting runs at %.2f of its speed)\n",
                milliseconds(avx2).c_str(), *avx2 / *cut);
  }
}

void print_load_summary(const CollectingReporter& results) {
  constexpr double kGoal = 0.2e-3;
  std::printf(
      "load, 100 MB of prose, the whole call (it scans to the end): %s "
      "(goal <= 0.2 ms per load)\n",
      within(cpu(results, kCutProse), kGoal).c_str());
  const auto kept = cpu(results, kCutUntilFull);
  const auto fresh = cpu(results, kCutUntilFullNewStore);
  std::printf(
      "load, only the first %d sentences: %s into the kept store, %s into a "
      "new one (goal <= 0.2 ms per load)\n",
      SentenceStore::kCapacity, within(kept, kGoal).c_str(),
      within(fresh, kGoal).c_str());
  if (kept || fresh) {
    // The prose exists already: the benchmarks that ran made it.
    std::printf("    (those sentences take the first %.0f KB of the prose)\n",
                static_cast<double>(prose_until_full().size() * 2) / 1e3);
  }
}

void print_breaker_summary(const CollectingReporter& results) {
  const auto cut = cpu(results, kCutProse10);
  const auto breaker = cpu(results, kBreakIterator);
  const auto count = cpu(results, kCountProse10);
  const double megabytes = static_cast<double>(kBreakerUnits * 2) / kMegabyte;
  if (!cut || !breaker) {
    std::printf("against ICU's sentence break iterator, 10 MB: not run\n");
    return;
  }
  const double ratio = *breaker / *cut;
  std::printf(
      "against ICU's sentence break iterator, 10 MB of prose: cutting %.0f "
      "MB/s, ICU %.0f MB/s -> %.1fx (goal >= 20x): %s\n",
      megabytes / *cut, megabytes / *breaker, ratio, verdict(ratio >= 20));
  if (count) {
    std::printf(
        "    (only counting the full stops with SSE2: %.0f MB/s, %.1fx ICU)\n",
        megabytes / *count, *breaker / *count);
  }
}

void print_write_summary(const CollectingReporter& results) {
  constexpr double kGoal = 1e-3;
  std::printf(
      "save, %d sentences of about %zu characters: UTF-8 %s, ISO-8859-1 %s "
      "(goal <= 1 ms per save)\n",
      SentenceStore::kCapacity, kHeldSentenceUnits,
      within(cpu(results, kWriteUtf8), kGoal).c_str(),
      within(cpu(results, kWriteLatin1), kGoal).c_str());
  std::printf(
      "    (wall-clock, with the file system's own work: %s, %s)\n",
      milliseconds(results.seconds(kWriteUtf8, Clock::kWall)).c_str(),
      milliseconds(results.seconds(kWriteLatin1, Clock::kWall)).c_str());
}

void print_summary(const CollectingReporter& results) {
  std::printf(
      "\nSummary (median processor time per iteration; 1 MB = 10^6 bytes "
      "of UTF-16)\n");
  print_scan_summary(results);
  print_load_summary(results);
  print_breaker_summary(results);
  print_write_summary(results);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  register_benchmarks();
  CollectingReporter reporter(isatty(STDOUT_FILENO)
                                  ? benchmark::ConsoleReporter::OO_Color
                                  : benchmark::ConsoleReporter::OO_None);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::fflush(stdout);
  print_summary(reporter);
  benchmark::Shutdown();
  return 0;
}
