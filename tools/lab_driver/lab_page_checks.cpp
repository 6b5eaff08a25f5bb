#include "lab_page_checks.h"

#include <X11/keysym.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "app/lab_window.h"
#include "lab_probe.h"
#include "text/text_document.h"
#include "text/word_tables.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kBlack = 0x000000;

// Leaves the page for the layers page, whose top row wait_for_lab found.
bool back_to_layers(LabScreen& s, std::string& problem) {
  s.x->press_key(XK_F1);
  if (within(5, [&] { return client_pixel(s, 0, 0) == kBackgroundTopRow; })) return true;
  problem += problem.empty() ? "F1 did not bring the layers back" : "; F1 did not bring them back";
  return false;
}

fs::path beside_lab(const LabScreen& s, const char* name) {
  return fs::path(s.program).parent_path() / name;
}

// The BMP page's first picture (DrawBmpFile at 32 bits per pixel) starts at
// (20, 10) in the client area, and Home draws the image at (20, 20) in it,
// which the blitter puts one row lower, top-left pixel at (20, 21).
constexpr int kSampleHomeX = 20 + 20, kSampleHomeY = 10 + 20 + 1;
constexpr int kSampleWidth = 96, kSampleHeight = 64;  // two quadrants of 48 by 32 across, two down

// "" when the sample's quadrants (red, lime / blue, white) fill exactly the
// image's place with its top-left corner at (left, top), on black.
std::string sample_problem(LabScreen& s, int left, int top) {
  ScreenImage image =
      s.x->capture(client_area(s, left - 1, top - 1, kSampleWidth + 2, kSampleHeight + 2));
  if (image.pixels.empty()) return "the screen could not be read";
  auto at = [&](int x, int y) { return image.pixels[(y + 1) * image.area.width + x + 1]; };
  const uint32_t quadrants[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};
  for (int qy = 0; qy < 2; ++qy)
    for (int qx = 0; qx < 2; ++qx)
      for (int x : {qx * 48, qx * 48 + 47})
        for (int y : {qy * 32, qy * 32 + 31})
          if (at(x, y) != quadrants[qy][qx])
            return "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                   ") of the image at (" + std::to_string(left) + ", " + std::to_string(top) +
                   ") is " + hex(at(x, y)) + ", expected " + hex(quadrants[qy][qx]);
  const int outside[4][2] = {
      {-1, 0}, {0, -1}, {kSampleWidth, kSampleHeight - 1}, {kSampleWidth - 1, kSampleHeight}};
  for (const auto& p : outside)
    if (at(p[0], p[1]) != kBlack)
      return "beside the image at (" + std::to_string(left) + ", " + std::to_string(top) +
             ") the picture is " + hex(at(p[0], p[1])) + ", not black";
  return "";
}

bool sample_shown_at(LabScreen& s, int left, int top, std::string& problem) {
  return within(5, [&] { return (problem = sample_problem(s, left, top)).empty(); });
}

}  // namespace

// F3 shows the build's sample where Home puts it; Right moves it 8 pixels
// right and Down 8 down, pixel for pixel.
bool bmp_sample_shown_and_moved(LabScreen& s, std::string& problem) {
  point_at(s, 5, 5);
  s.x->press_key(XK_F3);
  s.x->press_key(XK_Home);
  bool ok = sample_shown_at(s, kSampleHomeX, kSampleHomeY, problem);
  if (ok) {
    s.x->press_key(XK_Right);
    ok = sample_shown_at(s, kSampleHomeX + 8, kSampleHomeY, problem);
    if (!ok) problem = "after Right: " + problem;
  }
  if (ok) {
    s.x->press_key(XK_Down);
    ok = sample_shown_at(s, kSampleHomeX + 8, kSampleHomeY + 8, problem);
    if (!ok) problem = "after Down: " + problem;
  }
  s.x->press_key(XK_Home);
  return back_to_layers(s, problem) && ok;
}

namespace {

// The geometry page's canvas, and the colour of its turned box.
constexpr int kCanvasX = 20, kCanvasY = 10, kCanvasWidth = 920, kCanvasHeight = 520;
constexpr uint32_t kTurnedBoxColour = 0x40FF80;

int turned_box_pixels(LabScreen& s) {
  ScreenImage image = s.x->capture(client_area(s, kCanvasX, kCanvasY, kCanvasWidth, kCanvasHeight));
  int count = 0;
  for (uint32_t pixel : image.pixels) count += pixel == kTurnedBoxColour;
  return count;
}

}  // namespace

// F4 and R show the box at its starting angles; Right (5 degrees) changes
// the picture, and 71 more, a full turn, bring back the first picture.
bool geometry_box_turns_and_returns(LabScreen& s, std::string& problem) {
  point_at(s, 5, 5);
  s.x->press_key(XK_F4);
  s.x->press_key(XK_r);
  ScreenArea canvas = client_area(s, kCanvasX, kCanvasY, kCanvasWidth, kCanvasHeight);
  bool drawn = within(5, [&] { return turned_box_pixels(s) > 100; });
  usleep(200000);
  uint64_t start = s.x->hash(canvas);
  bool turned = false, returned = false;
  if (drawn) {
    s.x->press_key(XK_Right);
    turned = within(3, [&] { return s.x->hash(canvas) != start; });
  }
  if (turned) {
    for (int i = 1; i < 72; ++i) s.x->press_key(XK_Right);
    returned = within(5, [&] { return s.x->hash(canvas) == start; });
  }
  if (!drawn)
    problem = "the page shows no turned box (" + std::to_string(turned_box_pixels(s)) +
              " pixels of " + hex(kTurnedBoxColour) + ")";
  else if (!turned)
    problem = "Right did not change the picture";
  else if (!returned)
    problem = "72 presses of Right (360 degrees) did not bring back the first picture";
  s.x->press_key(XK_r);
  return back_to_layers(s, problem) && returned;
}

std::string why_words_cannot_run(const LabScreen& s) {
  if (!fs::exists(beside_lab(s, "lab-guide.txt"))) return "no lab-guide.txt beside the Lab";
  return "";
}

namespace {

// The words page draws lines from y = 10 in cells of the font's height and
// marks each hit with a box of this colour under its letters.
constexpr int kWordsTextTop = 10, kWordsTextBottom = 530;
constexpr int kWordsTextWidth = 640;  // the text's 78 columns; a second file's list is right of it
constexpr uint32_t kHitBoxColour = 0xE0A000;
constexpr int kPageStep = 20;         // PgDn and PgUp scroll by 20 lines
constexpr char kFoundWord[] = "FPS";  // the guide holds it once, in capitals

// The runs of pixel rows of the text area holding a hit box: [first, last].
std::vector<std::pair<int, int>> hit_box_rows(LabScreen& s) {
  int height = kWordsTextBottom - kWordsTextTop;
  ScreenImage image = s.x->capture(client_area(s, 0, kWordsTextTop, kWordsTextWidth, height));
  std::vector<std::pair<int, int>> runs;
  if (image.pixels.empty()) return runs;
  for (int y = 0; y < height; ++y) {
    bool marked = false;
    for (int x = 0; x < kWordsTextWidth && !marked; ++x)
      marked = image.pixels[y * kWordsTextWidth + x] == kHitBoxColour;
    if (!marked) continue;
    if (!runs.empty() && runs.back().second == y - 1)
      runs.back().second = y;
    else
      runs.push_back({y, y});
  }
  return runs;
}

// The lines the screen marks, from the first line shown: a run of rows is
// one or more whole cells, the cell being the shortest run's height.
std::set<int> marked_lines(LabScreen& s, int first_line) {
  auto runs = hit_box_rows(s);
  std::set<int> lines;
  int cell = 1 << 20;
  for (auto [first, last] : runs) cell = std::min(cell, last - first + 1);
  for (auto [first, last] : runs)
    for (int y = first; y <= last; y += cell) lines.insert(first_line + y / cell);
  return lines;
}

std::string line_list(const std::set<int>& lines) {
  std::string text;
  for (int line : lines) text += (text.empty() ? "" : ", ") + std::to_string(line);
  return text.empty() ? "none" : text;
}

// The guide's lines as the Lab shows them, each ended by CR LF.
std::vector<std::string> guide_lines(const LabScreen& s) {
  std::ifstream file(beside_lab(s, "lab-guide.txt"), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line + "\r\n");
  }
  return lines;
}

// The lines (from 1) on which FindWord, given that line alone, finds the query.
std::set<int> find_word_lines(const std::vector<std::string>& lines, const std::string& query) {
  std::set<int> found;
  for (size_t n = 0; n < lines.size(); ++n) {
    TextDocument* line = MakeTextDocument(lines[n].data(), static_cast<int32_t>(lines[n].size()));
    if (line == nullptr) continue;
    if (FindWord(line, query.data(), static_cast<int32_t>(query.size())) == 1) found.insert(n + 1);
    FreeTextDocument(line);
  }
  return found;
}

// Presses the key and waits for the page to change: the search line shows
// every typed letter, and a scroll moves the text. Without the wait a
// comparison could pass on the picture from before the key.
bool press_and_see(LabScreen& s, unsigned long key) {
  ScreenArea page = client_area(s, 0, 0, kLabWindowWidth, kLabStatusTop + kLabLinePitch);
  uint64_t before = s.x->hash(page);
  s.x->press_key(key);
  return within(3, [&] { return s.x->hash(page) != before; });
}

bool type(LabScreen& s, const std::string& word) {
  for (char c : word)
    if (!press_and_see(s, c >= 'A' && c <= 'Z' ? XK_a + (c - 'A') : XK_0 + (c - '0'))) return false;
  return true;
}

// Compares, page by page (20 lines apart), the lines marked on screen with
// the lines FindWord finds the query on; "" when they agree throughout.
std::string words_problem(LabScreen& s, const std::string& query) {
  std::vector<std::string> lines = guide_lines(s);
  std::set<int> expected_all = find_word_lines(lines, query);
  if (lines.empty()) return "cannot read lab-guide.txt beside the Lab";
  // The first word must be found somewhere, or the check would see no mark at all.
  if (query == kFoundWord && expected_all.empty())
    return "FindWord finds " + query + " nowhere in the guide: the check needs a word it holds";
  s.x->press_key(XK_Escape);
  if (!type(s, query)) return "typing " + query + " did not change the page";
  std::string problem;
  for (int top = 1; top <= static_cast<int>(lines.size()); top += kPageStep) {
    std::set<int> expected, seen;
    for (int line : expected_all)
      if (line >= top && line < top + kPageStep) expected.insert(line);
    bool agree = within(3, [&] {
      seen.clear();
      for (int line : marked_lines(s, top))
        if (line < top + kPageStep) seen.insert(line);
      return seen == expected;
    });
    if (!agree) {
      problem = query + ", lines " + std::to_string(top) + " to " +
                std::to_string(top + kPageStep - 1) + ": hits marked on lines " + line_list(seen) +
                ", FindWord finds it on lines " + line_list(expected);
      break;
    }
    if (top + kPageStep <= static_cast<int>(lines.size()) && !press_and_see(s, XK_Next)) {
      problem = "PgDn did not scroll the text from line " + std::to_string(top);
      break;
    }
  }
  for (int i = 0; i <= static_cast<int>(lines.size()) / kPageStep; ++i) s.x->press_key(XK_Prior);
  return problem;
}

}  // namespace

// F5 and a typed word mark its hits; on every line the marks agree with
// FindWord asked of that line alone. The words: one the guide holds once in
// capitals, one only inside "32-bit", one only as "The" and "the" (FindWord
// upper-cases the query, not the text).
bool words_highlights_match_find_word(LabScreen& s, std::string& problem) {
  point_at(s, 5, 5);
  s.x->press_key(XK_F5);
  for (const char* query : {kFoundWord, "32", "THE"}) {
    problem = words_problem(s, query);
    if (!problem.empty()) break;
  }
  s.x->press_key(XK_Escape);
  bool ok = problem.empty();
  return back_to_layers(s, problem) && ok;
}

namespace {

constexpr const char* kFasm = "/usr/bin/fasm";

}  // namespace

// The same answers as the assembler's own test: the test command's probe
// first, then the kernel. Both Labs launch Debian's fasm, put beside them as
// Assembler/Fasm.exe: Wine starts a Linux program as the Linux kernel does.
std::string why_assembler_cannot_run(const LabScreen&) {
  const char* mode = std::getenv("PIXWELL_I386_MODE");
  if (mode && std::string(mode) == "none") {
    const char* reason = std::getenv("PIXWELL_I386_REASON");
    return reason ? reason : "the test command found that i386 programs do not run";
  }
  if (!fs::exists(kFasm)) return "fasm is not installed (scripts/setup installs it)";
  char* argv[] = {const_cast<char*>(kFasm), nullptr};
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  int error = posix_spawn(&child, kFasm, &quiet, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (error == ENOEXEC) return "the kernel refuses i386 programs (Exec format error)";
  if (error != 0) return std::string("fasm cannot be started: ") + std::strerror(error);
  int status = 0;
  waitpid(child, &status, 0);
  return "";
}

namespace {

// What the driver puts beside the Lab for the run, and takes away again:
// fasm as Assembler/Fasm.exe, and the files the Lab's A writes.
class AssemblerBesideLab {
 public:
  explicit AssemblerBesideLab(const LabScreen& s)
      : folder_(beside_lab(s, "Assembler")),
        output_(beside_lab(s, "code.com")),
        source_(beside_lab(s, "code.txt")) {
    std::error_code error;
    made_folder_ = fs::create_directory(folder_, error);
    fs::path tool = folder_ / "Fasm.exe";
    if (!fs::exists(tool)) made_tool_ = fs::copy_file(kFasm, tool, error);
    had_source_ = fs::exists(source_);
    fs::remove(output_, error);
  }
  ~AssemblerBesideLab() {
    std::error_code error;
    fs::remove(output_, error);
    if (!had_source_) fs::remove(source_, error);
    if (made_tool_) fs::remove(folder_ / "Fasm.exe", error);
    if (made_folder_) fs::remove(folder_, error);
  }
  const fs::path& output() const { return output_; }

 private:
  fs::path folder_, output_, source_;
  bool made_folder_ = false, made_tool_ = false, had_source_ = false;
};

std::string file_bytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

}  // namespace

// F6 and A write code.txt and start the assembler; code.com appears beside
// the Lab holding the program: mov ah, 9 (B4 09), mov dx (BA), 22 bytes.
bool tools_assembler_writes_output(LabScreen& s, std::string& problem) {
  AssemblerBesideLab assembler(s);
  point_at(s, 5, 5);
  s.x->press_key(XK_F6);
  usleep(300000);
  s.x->press_key(XK_a);
  std::string bytes;
  bool written = within(20, [&] {
    bytes = fs::exists(assembler.output()) ? file_bytes(assembler.output()) : "";
    return bytes.size() == 22;
  });
  if (!written)
    problem = fs::exists(assembler.output())
                  ? "code.com holds " + std::to_string(bytes.size()) + " bytes, expected 22"
                  : "no code.com appeared beside the Lab within 20 s";
  else if (bytes.compare(0, 3, "\xB4\x09\xBA") != 0)
    problem = "code.com does not start with mov ah, 9; mov dx (B4 09 BA)", written = false;
  return back_to_layers(s, problem) && written;
}

namespace {

constexpr int kLoupeReach = 6, kLoupeScale = 8;

// The loupe's box lies 16 pixels right of and below the pointer when there
// is room; each pixel round the pointer is a cell of 8 by 8 in it.
std::string loupe_problem(LabScreen& s, int px, int py, const ScreenImage& round) {
  int box_x = px + 16, box_y = py + 16;
  int side = (2 * kLoupeReach + 1) * kLoupeScale;
  ScreenImage box = s.x->capture(client_area(s, box_x, box_y, side, side));
  if (box.pixels.empty() || round.pixels.empty()) return "the screen could not be read";
  for (int dy = -kLoupeReach; dy <= kLoupeReach; ++dy)
    for (int dx = -kLoupeReach; dx <= kLoupeReach; ++dx) {
      int cx = (dx + kLoupeReach) * kLoupeScale + kLoupeScale / 2;
      int cy = (dy + kLoupeReach) * kLoupeScale + kLoupeScale / 2;
      uint32_t cell = box.pixels[cy * side + cx];
      uint32_t pixel = round.at(round.area.x + kLoupeReach + dx, round.area.y + kLoupeReach + dy);
      if (cell != pixel)
        return "the loupe's cell for (" + std::to_string(dx) + ", " + std::to_string(dy) +
               ") from the pointer is " + hex(cell) + ", the pixel there " + hex(pixel);
    }
  return "";
}

// While the loupe is shown the title repeats its readout: the pointer's
// place and the exact value of the pixel there.
std::string readout_problem(LabScreen& s, int px, int py, uint32_t pixel) {
  char expected[96];
  std::snprintf(expected, sizeof(expected), "%s: (%d, %d) 0x%08X", kLabWindowTitle, px, py, pixel);
  std::string title = s.x->title(s.window);
  if (title == expected) return "";
  return "the title reads \"" + title + "\", expected \"" + expected + "\"";
}

// The readout of a pixel inside the sample's first quadrant, whose colour is
// no mirror of itself (the quadrants' meeting point is white).
bool readout_follows_pointer(LabScreen& s, std::string& problem) {
  int qx = kSampleHomeX + 8, qy = kSampleHomeY + 8;
  point_at(s, qx, qy);
  return within(3, [&] {
    ScreenImage pixel = s.x->capture(client_area(s, qx, qy, 1, 1));
    if (pixel.pixels.empty()) return (problem = "the screen could not be read"), false;
    return (problem = readout_problem(s, qx, qy, pixel.pixels[0])).empty();
  });
}

}  // namespace

// On the BMP page, with the pointer where the sample's four quadrants meet,
// F8 shows the 13 by 13 pixels round it magnified, each cell in the colour
// of its pixel on the screen, and the value of the pixel under the pointer.
bool loupe_magnifies_pixels_round_pointer(LabScreen& s, std::string& problem) {
  int px = kSampleHomeX + 48, py = kSampleHomeY + 32;
  point_at(s, 5, 5);
  s.x->press_key(XK_F3);
  s.x->press_key(XK_Home);
  bool ok = sample_shown_at(s, kSampleHomeX, kSampleHomeY, problem);
  if (ok) {
    point_at(s, px, py);
    usleep(200000);
    ScreenImage round = s.x->capture(client_area(s, px - kLoupeReach, py - kLoupeReach,
                                                 2 * kLoupeReach + 1, 2 * kLoupeReach + 1));
    s.x->press_key(XK_F8);
    ok = within(3, [&] { return (problem = loupe_problem(s, px, py, round)).empty(); });
    if (ok) ok = readout_follows_pointer(s, problem);
    s.x->press_key(XK_F8);
    if (ok && !within(3, [&] { return s.x->title(s.window) == kLabWindowTitle; }))
      problem = "the title still reads \"" + s.x->title(s.window) + "\" after F8 hid the loupe",
      ok = false;
  }
  point_at(s, 5, 5);
  return back_to_layers(s, problem) && ok;
}
