// Measures the core against its speed goals: Google Benchmark's table, then
// one line per goal (the median when repeated). "100 MB" is 10^8 bytes of
// UTF-16. The prose comes from a fixed seed: every run cuts the same text.
#include <benchmark/benchmark.h>
#include <emmintrin.h>
#include <unicode/brkiter.h>
#include <unicode/unistr.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/numbered_file.h"
#include "core/sentence_splitter.h"

namespace {

using vantrel::SentenceStore;

constexpr std::size_t kBigUnits = 50'000'000;  // 100 MB
constexpr std::size_t kIcuUnits = 5'000'000;   // 10 MB

// Sentences of 100 to 140 units (about 120), some with a full stop that does
// not end them, some letters outside ASCII, line breaks and double spaces.
std::u16string make_prose() {
  constexpr std::array<std::u16string_view, 12> kWords = {
      u"the", u"sample", u"was", u"measured", u"café",  u"Zürich",
      u"—",   u"and",    u"of",  u"surface",  u"layer", u"results"};
  constexpr std::array<std::u16string_view, 4> kAbbreviations = {
      u"see Fig. 3", u"part No. 12", u"a 5 in. gap", u"in Figs. 2 and 4"};
  constexpr std::array<std::u16string_view, 4> kGaps = {u" ", u"  ", u"\r\n",
                                                        u" "};
  std::mt19937_64 random(20240611);
  std::u16string text;
  while (text.size() < kBigUnits) {
    const std::size_t end = text.size() + 100 + random() % 41;
    text += u"The";
    while (text.size() < end) {
      text += random() % 20 == 0 ? u"  " : u" ";
      text += random() % 25 == 0 ? kAbbreviations[random() % 4]
                                 : kWords[random() % kWords.size()];
    }
    text += u'.';
    text += kGaps[random() % kGaps.size()];
  }
  text.resize(kBigUnits);
  return text;
}

// The prose's start that just fills the store (sentences keep every unit).
std::u16string_view first_sentences(std::u16string_view text) {
  static SentenceStore store;
  store.fresh_start();
  vantrel::cut_sentences(text, store);
  std::size_t units = 0;
  for (const std::u16string& sentence : store.held()) units += sentence.size();
  return text.substr(0, units);
}

// A benchmark that cannot run ends the run: its figure would mean nothing.
[[noreturn]] void fail(const char* reason) {
  std::fprintf(stderr, "vantrel-bench: %s\n", reason);
  std::exit(1);
}

// The plainest SSE2 search for ".": eight code units a step, nothing else.
std::size_t sse2_find_full_stop(std::u16string_view text) {
  const __m128i dots = _mm_set1_epi16(u'.');
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    const __m128i units =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(units, dots));
    if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask)) / 2;
  }
  return text.find(u'.', i);
}

void sse2_search(benchmark::State& state, std::u16string_view text) {
  for (auto _ : state) benchmark::DoNotOptimize(sse2_find_full_stop(text));
}

// One "Get Clipboard Data": a fresh start of the store the window keeps.
void cut(benchmark::State& state, std::u16string_view text) {
  static SentenceStore store;
  for (auto _ : state) {
    store.fresh_start();
    benchmark::DoNotOptimize(vantrel::cut_sentences(text, store));
  }
}

// Walks every boundary; the iterator is made once and the text aliased.
void icu_sentences(benchmark::State& state, std::u16string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<icu::BreakIterator> breaker(
      icu::BreakIterator::createSentenceInstance(icu::Locale::getEnglish(),
                                                 status));
  if (U_FAILURE(status)) fail(u_errorName(status));
  const icu::UnicodeString alias(false, text.data(),
                                 static_cast<int32_t>(text.size()));
  for (auto _ : state) {
    breaker->setText(alias);
    while (breaker->next() != icu::BreakIterator::DONE) {
    }
  }
}

// Saves `text`'s sentences over one file on disk or tmpfs (no sync cost).
void save(benchmark::State& state, std::u16string_view text,
          const std::string& code_page, const std::filesystem::path& folder) {
  static SentenceStore store;
  store.fresh_start();
  vantrel::cut_sentences(text, store);
  const auto path =
      folder / ("vantrel-bench-" + std::to_string(getpid()) + ".txt");
  for (auto _ : state) {
    if (const auto error =
            vantrel::write_sentences(path, store, code_page).error) {
      fail(error.message().c_str());
    }
  }
  std::filesystem::remove(path);
}

// Google Benchmark's table; keeps each real time (or median) for the goals.
class Reporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median") {
        seconds[run.run_name.function_name] =
            run.GetAdjustedRealTime() /
            benchmark::GetTimeUnitMultiplier(run.time_unit);
      }
    }
  }
};

// A benchmark that was filtered out shows as "nan".
void print_goals(const std::map<std::string, double>& seconds) {
  const auto ms = [&seconds](const char* name) {
    const auto found = seconds.find(name);
    return found == seconds.end() ? std::nan("") : found->second * 1e3;
  };
  const auto missed = [](bool met) { return met ? "" : ", missed"; };
  const double scan = ms("scan/sse2") / ms("scan/cut");
  std::printf(
      "\nscan, 100 MB without a full stop: %.1f ms -> %.2f of the SSE2 "
      "search's speed (goal >= 0.8%s)\n",
      ms("scan/cut"), scan, missed(scan >= 0.8));
  std::printf("load, the first 1000 sentences: %.3f ms (goal <= 0.2 ms%s)\n",
              ms("load/first_1000"), missed(ms("load/first_1000") <= 0.2));
  std::printf(
      "load, 100 MB of prose, the whole call: %.1f ms (goal <= 0.2 ms%s: it "
      "scans to the end to count what did not fit)\n",
      ms("load/100MB"), missed(ms("load/100MB") <= 0.2));
  const double icu = ms("icu/break_iterator") / ms("icu/cut");
  std::printf(
      "against ICU's sentence break iterator, 10 MB: %.0f against %.0f MB/s "
      "-> %.1fx (goal >= 20x%s)\n",
      1e4 / ms("icu/cut"), 1e4 / ms("icu/break_iterator"), icu,
      missed(icu >= 20));
  std::printf(
      "save, 1000 sentences of about 120 characters: UTF-8 %.2f ms, "
      "ISO-8859-1 %.2f ms, synced to disk (goal <= 50 ms); UTF-8 on tmpfs, "
      "where the sync costs nothing, %.2f ms (goal <= 1 ms)\n",
      ms("save/utf8"), ms("save/iso_8859_1"), ms("save/utf8_tmpfs"));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const std::u16string prose = make_prose();
  const std::u16string_view text = prose, first = first_sentences(text);
  std::u16string no_full_stop(text);
  std::replace(no_full_stop.begin(), no_full_stop.end(), u'.', u',');
  const auto add = [](const char* name, auto function, auto... text) {
    benchmark::RegisterBenchmark(name, function, text...)
        ->Unit(benchmark::kMillisecond);
  };
  add("scan/sse2", sse2_search, std::u16string_view{no_full_stop});
  add("scan/cut", cut, std::u16string_view{no_full_stop});
  add("load/first_1000", cut, first);
  add("load/100MB", cut, text);
  add("icu/cut", cut, text.substr(0, kIcuUnits));
  add("icu/break_iterator", icu_sentences, text.substr(0, kIcuUnits));
  const std::filesystem::path disk = std::filesystem::temp_directory_path();
  add("save/utf8", save, first, std::string("UTF-8"), disk);
  add("save/iso_8859_1", save, first, std::string("ISO-8859-1"), disk);
  add("save/utf8_tmpfs", save, first, std::string("UTF-8"),
      std::filesystem::path("/dev/shm"));
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  print_goals(reporter.seconds);
  benchmark::Shutdown();
}
