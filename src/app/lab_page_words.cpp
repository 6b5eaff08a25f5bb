#include "app/lab_page_words.h"

#include <algorithm>
#include <map>

#include "app/lab_document.h"
#include "app/lab_paths.h"
#include "app/lab_window.h"
#include "display/graphics_startup.h"
#include "display/surface.h"
#include "text/word_tables.h"

const char kWordsHelpLine[] =
    "Words: type a word (letters, digits , . -), Backspace and Esc erase, Enter goes to the next "
    "hit, Up/Down and PgUp/PgDn scroll.";

namespace {

constexpr int32_t kTextLeft = 20, kTextTop = 10, kTextBottom = 530, kListLeft = 660;
constexpr int32_t kColumns = 78;  // of the text, the rest of a line is not shown
constexpr uint32_t kPageColour = 0x202830;
constexpr COLORREF kHitColour = 0x0000A0E0, kTextColour = 0x00FFFFFF, kListColour = 0x0080FFFF;

struct WordsPage {
  TextDocument* Document = nullptr;
  LabDocument With{};
  std::string WithName;
  std::vector<SharedWord> Shared;
  std::string Query;
  std::vector<WordHit> Hits;
  std::string Status;
  int32_t Top = 1;  // first line shown
  size_t NextHit = 0;
};

WordsPage page;

// FindWord compares the document's words with the query upper-cased.
std::string upper_cased(const std::string& query) {
  std::string upper = query;
  CharUpperA(upper.data());
  return upper;
}

void search() {
  page.Hits = FindWordHits(page.Document, page.Query);
  page.NextHit = 0;
  if (page.Query.empty() || page.Document == nullptr) {
    page.Status = page.Document == nullptr ? "No document to search." : "Type a word to search.";
    return;
  }
  int32_t answer =
      FindWord(page.Document, page.Query.data(), static_cast<int32_t>(page.Query.size()));
  page.Status = WordSearchStatus(page.Query, page.Hits, answer);
}

void show_next_hit() {
  if (page.Hits.empty()) return;
  page.Top = page.Hits[page.NextHit % page.Hits.size()].Line;
  page.NextHit = (page.NextHit + 1) % page.Hits.size();
}

void scroll(int32_t lines) {
  int32_t last = page.Document != nullptr ? std::max(1, page.Document->LineLimit - 1) : 1;
  page.Top = std::clamp(page.Top + lines, 1, last);
}

void type(char c) {
  if (page.Query.size() >= kLongestQuery) return;
  page.Query += c;
  search();
}

char typed_char(WPARAM key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return static_cast<char>(key);
  if (key == VK_OEM_COMMA) return ',';
  if (key == VK_OEM_PERIOD) return '.';
  if (key == VK_OEM_MINUS) return '-';
  return 0;
}

// A line as shown: controls as spaces, so that columns stay where they are.
std::string shown_line(const LineText& line) {
  std::string text(line.Pointer, std::max(0, std::min(line.Length, kColumns)));
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  return text;
}

void text_at(int32_t x, int32_t y, const std::string& text, COLORREF colour) {
  SetTextColor(BackDC, colour);
  TextOutA(BackDC, x, y, text.c_str(), static_cast<int>(text.size()));
}

void draw_hits(int32_t line, int32_t y, SIZE cell) {
  HBRUSH brush = CreateSolidBrush(kHitColour);
  for (const WordHit& hit : page.Hits) {
    if (hit.Line != line || hit.Column >= kColumns) continue;
    RECT box{kTextLeft + hit.Column * cell.cx, y,
             kTextLeft + std::min(hit.Column + hit.Length, kColumns) * cell.cx, y + cell.cy};
    FillRect(BackDC, &box, brush);
  }
  DeleteObject(brush);
}

void draw_text_view(SIZE cell) {
  if (page.Document == nullptr) return;
  for (int32_t line = page.Top, y = kTextTop;
       line < page.Document->LineLimit && y + cell.cy <= kTextBottom; ++line, y += cell.cy) {
    draw_hits(line, y, cell);
    text_at(kTextLeft, y, shown_line(GetLineText(line, page.Document)), kTextColour);
  }
}

void draw_shared_list(SIZE cell) {
  if (page.WithName.empty()) return;
  int32_t y = kTextTop;
  if (page.With.Document == nullptr) {
    text_at(kListLeft, y, "No second file:", kListColour);
    text_at(kListLeft, y + cell.cy, page.With.Problem.substr(0, 36), kListColour);
    return;
  }
  text_at(kListLeft, y, std::to_string(page.Shared.size()) + " words shared with", kListColour);
  text_at(kListLeft, y += cell.cy, DisplayPath(page.WithName).substr(0, 36), kListColour);
  text_at(kListLeft, y += cell.cy, "word            times there", kListColour);
  for (const SharedWord& shared : page.Shared) {
    if ((y += cell.cy) + cell.cy > kTextBottom) break;
    std::string word = shared.Word.substr(0, 15);
    text_at(kListLeft, y, word + std::string(16 - word.size(), ' ') + std::to_string(shared.Count),
            kTextColour);
  }
}

void draw_page(const std::string& status) {
  static HFONT font = CreateFontIndirectA(&SurfaceFont);
  HGDIOBJ previous = SelectObject(BackDC, font);
  int mode = SetBkMode(BackDC, TRANSPARENT);
  SIZE cell{};
  GetTextExtentPoint32A(BackDC, "M", 1, &cell);
  cell.cy = std::max<LONG>(cell.cy, 1);
  draw_text_view(cell);
  draw_shared_list(cell);
  const std::string lines[3] = {kWordsHelpLine, status,
                                "Search: " + page.Query + "_   " + page.Status};
  for (int i = 0; i < 3; ++i) text_at(20, kLabHelpTop + i * kLabLinePitch, lines[i], kTextColour);
  SetBkMode(BackDC, mode);
  SelectObject(BackDC, previous);
}

}  // namespace

std::vector<WordHit> FindWordHits(const TextDocument* document, const std::string& query) {
  std::vector<WordHit> hits;
  if (document == nullptr || query.empty()) return hits;
  std::string upper = upper_cased(query);
  int32_t length = static_cast<int32_t>(upper.size());
  for (int32_t n = 1; n <= document->LineLimit; ++n) {
    LineText line = GetLineText(n, document);
    int32_t count = LineWordCount(document, n);
    for (int32_t k = 1; k <= count; ++k) {
      const WordEntry* entry = GetWordEntry(document, n, k);
      if (entry->Length != length || BytesEqual(entry->Pointer, upper.data(), length) != 1)
        continue;
      hits.push_back({n, k, static_cast<int32_t>(entry->Pointer - line.Pointer), length});
    }
  }
  return hits;
}

std::vector<SharedWord> SharedWordCounts(const TextDocument* marked) {
  std::vector<SharedWord> shared;
  std::map<std::string, size_t> position;
  for (int32_t n = 1; marked != nullptr && n <= marked->LineLimit; ++n) {
    int32_t count = LineWordCount(marked, n);
    for (int32_t k = 1; k <= count; ++k) {
      const WordEntry* entry = GetWordEntry(marked, n, k);
      if (entry->Tag != kWordShared || entry->Length <= 0) continue;
      std::string word(entry->Pointer, entry->Length);
      auto [at, added] = position.emplace(word, shared.size());
      if (added) shared.push_back({word, 0});
      ++shared[at->second].Count;
    }
  }
  return shared;
}

std::string WordSearchStatus(const std::string& query, const std::vector<WordHit>& hits,
                             int32_t find_word_answer) {
  std::vector<int32_t> lines;
  for (const WordHit& hit : hits)
    if (lines.empty() || lines.back() != hit.Line) lines.push_back(hit.Line);
  std::string text = upper_cased(query) + ": " + std::to_string(hits.size()) +
                     (hits.size() == 1 ? " hit" : " hits") + " on " + std::to_string(lines.size()) +
                     (lines.size() == 1 ? " line" : " lines") + "; FindWord " +
                     (find_word_answer == 1 ? "found it (1)" : "did not (-1)");
  if ((find_word_answer == 1) != !hits.empty()) text += "  -- THEY DISAGREE";
  return text;
}

void SetWordsPage(TextDocument* document, const std::string& with_file, const std::string& find) {
  page.Document = document;
  page.WithName = with_file;
  if (!with_file.empty()) {
    page.With = LoadLabDocument(with_file.c_str());
    if (page.With.Document != nullptr && document != nullptr) {
      MarkSharedWords(document, page.With.Document);
      page.Shared = SharedWordCounts(page.With.Document);
    }
  }
  page.Query = find.substr(0, kLongestQuery);
  search();
  show_next_hit();
}

bool WordsKey(WPARAM key) {
  switch (key) {
    case VK_BACK:
      if (!page.Query.empty()) page.Query.pop_back();
      search();
      return true;
    case VK_ESCAPE:
      page.Query.clear();
      search();
      return true;
    case VK_RETURN: show_next_hit(); return true;
    case VK_UP: scroll(-1); return true;
    case VK_DOWN: scroll(1); return true;
    case VK_PRIOR: scroll(-20); return true;
    case VK_NEXT: scroll(20); return true;
    default: break;
  }
  char c = typed_char(key);
  if (c == 0) return false;
  type(c);
  return true;
}

void PresentWords(const std::string& status) {
  static const std::vector<uint32_t> background(kPageBytes / 4, kPageColour);
  SetBitmapBits(BackBitmap, kPageBytes, background.data());
  draw_page(status);
}
