// Text documents: loading a megabyte of CR LF lines or one megabyte-long
// line, cross-marking two such documents, and word search, each beside its
// literal version where that finishes (on smaller texts where it does not).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "reference/text_reference.h"
#include "text/text_document.h"
#include "text/word_index.h"
#include "text/word_tables.h"

namespace {

constexpr size_t kMegabyte = 1000000;

const std::vector<std::string> kWords = {
    "the",     "of",        "and",     "to",      "in",       "a",         "is",   "that",
    "for",     "it",        "as",      "was",     "with",     "be",        "by",   "on",
    "not",     "he",        "this",    "are",     "or",       "his",       "from", "at",
    "which",   "but",       "have",    "an",      "had",      "they",      "you",  "were",
    "their",   "one",       "all",     "we",      "can",      "her",       "has",  "there",
    "been",    "if",        "more",    "when",    "will",     "would",     "who",  "so",
    "program", "license",   "copy",    "source",  "software", "terms",     "work", "code",
    "MOV",     "AX,",       "[EBP+8]", "0x1F",    "2026",     "Windows",   "GNU",  "General",
    "Public",  "permitted", "modify",  "library", "document", "caf\xE9",   "NO",   "WARRANTY",
    "line",    "word",      "table",   "index",   "search",   "document.", "(c)",  "etc.,"};

// Deterministic pseudo-random numbers, the same on every run.
class Sequence {
 public:
  uint32_t Next(uint32_t bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % bound;
  }

 private:
  uint32_t state_ = 12345;
};

// Lines of 6 to 14 words, each word followed by a space (the last one
// sometimes by nothing), ended by CR LF, up to exactly `size` bytes.
std::string ordinary_lines(size_t size) {
  Sequence sequence;
  std::string text;
  while (text.size() < size) {
    std::string line;
    for (uint32_t i = 6 + sequence.Next(9); i > 0; --i)
      line += kWords[sequence.Next(kWords.size())] + " ";
    if (sequence.Next(3) == 0) line.pop_back();
    text += line + "\r\n";
  }
  text.resize(size - 2);
  return text + "\r\n";
}

// One line of words of `size` bytes in all, its CR LF included.
std::string single_line(size_t size, uint32_t skip) {
  Sequence sequence;
  for (uint32_t i = 0; i < skip; ++i) sequence.Next(2);
  std::string text;
  while (text.size() < size) text += kWords[sequence.Next(kWords.size())] + " ";
  text.resize(size - 2);
  if (text.back() != ' ') text.back() = ' ';
  return text + "\r\n";
}

// Each text is written once to a scratch file that lives until exit.
class ScratchFiles {
 public:
  ~ScratchFiles() {
    for (auto& [name, path] : paths_) std::filesystem::remove(path);
  }

  const char* Path(const std::string& name, const std::string& bytes) {
    auto [known, fresh] = paths_.try_emplace(name);
    if (fresh) {
      known->second = (std::filesystem::temp_directory_path() / ("pixwell-bench-" + name)).string();
      std::ofstream(known->second, std::ios::binary).write(bytes.data(), bytes.size());
    }
    return known->second.c_str();
  }

 private:
  std::map<std::string, std::string> paths_;
};

ScratchFiles& scratch() {
  static ScratchFiles files;
  return files;
}

const char* ordinary_file(size_t size) {
  return scratch().Path("lines-" + std::to_string(size), ordinary_lines(size));
}

const char* single_line_file(size_t size, uint32_t variant) {
  return scratch().Path("line-" + std::to_string(size) + "-" + std::to_string(variant),
                        single_line(size, variant));
}

// Times the loading alone; the release of each document is left out.
// The fastest of the repetitions (--benchmark_repetitions), less disturbed
// than the mean by other work on the machine.
double fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

template <typename Loader>
void load_and_free(benchmark::State& state, Loader loader, const char* path) {
  for (auto _ : state) {
    TextDocument* document = loader(path);
    if (document == nullptr) state.SkipWithError("not loaded");
    benchmark::DoNotOptimize(document);
    state.PauseTiming();
    FreeTextDocument(document);
    state.ResumeTiming();
  }
}

void BM_LoadOrdinaryLines(benchmark::State& state) {
  load_and_free(state, LoadTextDocument, ordinary_file(kMegabyte));
}
void BM_LoadOrdinaryLinesLiteral(benchmark::State& state) {
  load_and_free(state, text_reference::LoadTextDocument, ordinary_file(kMegabyte));
}
BENCHMARK(BM_LoadOrdinaryLines)->ComputeStatistics("min", fastest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadOrdinaryLinesLiteral)
    ->ComputeStatistics("min", fastest)
    ->Unit(benchmark::kMillisecond);

void BM_LoadSingleLine(benchmark::State& state) {
  load_and_free(state, LoadTextDocument, single_line_file(state.range(0), 0));
}
// Rescans the line for every word: on the full megabyte it runs for hours.
void BM_LoadSingleLineLiteral(benchmark::State& state) {
  load_and_free(state, text_reference::LoadTextDocument, single_line_file(state.range(0), 0));
}
BENCHMARK(BM_LoadSingleLine)
    ->Arg(8000)
    ->Arg(32000)
    ->Arg(kMegabyte)
    ->ComputeStatistics("min", fastest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSingleLineLiteral)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

// Two single-line documents of different words; the marks are reset
// outside the timing so every run marks every word.
template <typename Mark, typename Loader>
void mark_shared(benchmark::State& state, Mark mark, Loader loader) {
  TextDocument* searched = loader(single_line_file(state.range(0), 0));
  TextDocument* marked = loader(single_line_file(state.range(0), 1));
  int64_t words = 0;
  for (auto _ : state) {
    mark(searched, marked);
    state.PauseTiming();
    words = 0;
    for (int32_t n = 1; n <= marked->LineLimit; ++n)
      for (int32_t k = 1; k <= LineWordCount(marked, n); ++k, ++words)
        GetWordEntry(marked, n, k)->Tag = kWordEntryTag;
    state.ResumeTiming();
  }
  state.counters["marked_words"] = static_cast<double>(words);
  FreeTextDocument(searched);
  FreeTextDocument(marked);
}

void BM_MarkSharedWords(benchmark::State& state) {
  mark_shared(state, MarkSharedWords, LoadTextDocument);
}
// Searches the whole other document once per word.
void BM_MarkSharedWordsLiteral(benchmark::State& state) {
  mark_shared(state, text_reference::MarkSharedWords, text_reference::LoadTextDocument);
}
BENCHMARK(BM_MarkSharedWords)
    ->Arg(8000)
    ->Arg(32000)
    ->Arg(kMegabyte)
    ->ComputeStatistics("min", fastest)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkSharedWordsLiteral)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

// Word searches on a loaded megabyte of lines: a word that is there, one in
// the wrong case (only its upper case is looked for), and one that is not.
const std::vector<std::string> kQueries = {"WARRANTY", "program", "absent"};

class LoadedMegabyte {
 public:
  LoadedMegabyte() : document_(LoadTextDocument(ordinary_file(kMegabyte))) {}
  ~LoadedMegabyte() { FreeTextDocument(document_); }
  TextDocument* get() const { return document_; }

 private:
  TextDocument* document_;
};

void BM_FindWordRepeated(benchmark::State& state) {
  LoadedMegabyte document;
  const std::string& query = kQueries[state.range(0)];
  FindWord(document.get(), query.data(), static_cast<int32_t>(query.size()));  // builds the index
  for (auto _ : state)
    benchmark::DoNotOptimize(
        FindWord(document.get(), query.data(), static_cast<int32_t>(query.size())));
}
// The first search of a document scans its entries.
void BM_FindWordFirstSearch(benchmark::State& state) {
  LoadedMegabyte document;
  const std::string& query = kQueries[state.range(0)];
  for (auto _ : state) {
    ForgetWordIndex(document.get());
    benchmark::DoNotOptimize(
        FindWord(document.get(), query.data(), static_cast<int32_t>(query.size())));
  }
}
void BM_FindWordLiteral(benchmark::State& state) {
  LoadedMegabyte document;
  const std::string& query = kQueries[state.range(0)];
  for (auto _ : state)
    benchmark::DoNotOptimize(
        text_reference::FindWord(document.get(), query.data(), static_cast<int32_t>(query.size())));
}
// Building the index that the second and later searches use.
void BM_FindWordIndexBuild(benchmark::State& state) {
  LoadedMegabyte document;
  for (auto _ : state) {
    WordIndex index(document.get());
    benchmark::DoNotOptimize(index.DistinctWords());
  }
}
BENCHMARK(BM_FindWordRepeated)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindWordFirstSearch)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindWordLiteral)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindWordIndexBuild)->Unit(benchmark::kMillisecond);

// Resident memory of this process, from /proc, in bytes.
double resident_bytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::string(field).size())) * 1024;
  return 0;
}

// What a loaded megabyte holds: the bytes of its blocks (GlobalSize of the
// record, text, index, both tables, every list and entry), the same blocks
// at their sizes on the 32-bit target (4-byte slots, 20-byte entries), and
// how much the process's resident memory grew while loading it (run alone).
void document_memory(benchmark::State& state, const char* path) {
  for (auto _ : state) {
    double before = resident_bytes("VmRSS:");
    TextDocument* document = LoadTextDocument(path);
    double after = resident_bytes("VmRSS:");
    double blocks = 5;
    double words = 0;
    double bytes = GlobalSize(document) + GlobalSize(document->Text) +
                   GlobalSize(document->LineIndex) + GlobalSize(document->WordTable) +
                   GlobalSize(document->WordCountTable);
    for (int32_t n = 1; n <= document->LineLimit; ++n) {
      int32_t count = LineWordCount(document, n);
      if (count == 0) continue;
      bytes += GlobalSize(document->WordTable[n - 1]);
      for (int32_t k = 1; k <= count; ++k) bytes += GlobalSize(GetWordEntry(document, n, k));
      blocks += 1 + count;
      words += count;
    }
    double index_bytes = static_cast<double>(GlobalSize(document->LineIndex));
    state.counters["block_bytes"] = bytes;
    state.counters["block_bytes_32bit"] =
        32 + kTextBufferSize + index_bytes + 8.0 * document->LineLimit + 24 * words;
    state.counters["blocks"] = blocks;
    state.counters["words"] = words;
    state.counters["rss_growth_bytes"] = after - before;
    FreeTextDocument(document);
  }
}

void BM_LoadedMemoryOrdinaryLines(benchmark::State& state) {
  document_memory(state, ordinary_file(kMegabyte));
}
void BM_LoadedMemorySingleLine(benchmark::State& state) {
  document_memory(state, single_line_file(kMegabyte, 0));
}
BENCHMARK(BM_LoadedMemoryOrdinaryLines)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadedMemorySingleLine)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
