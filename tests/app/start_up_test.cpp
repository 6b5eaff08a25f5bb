// The start-up path through the real window: the class and window that
// RunMainWindow makes, WM_CREATE's strip and timer, and the frames that the
// timer shows, read back from the window's client area.
#include <gtest/gtest.h>

#include <vector>

#include "app/animation_strip.h"
#include "app/main_window.h"
#include "display/graphics_startup.h"
#include "raster/discs.h"
#include "raster/lines.h"
#include "support/dc_pixels.h"

namespace {

constexpr int kFrameWidth = 550;
constexpr int kFrameHeight = 350;

bool is_strip_tick(const MSG& message) {
  return message.message == WM_TIMER && message.hwnd == MainWindow &&
         message.wParam == kStripTimerId;
}

// Runs the message loop until timer 1 has ticked once.
bool play_one_tick() {
  MSG message{};
  DWORD deadline = GetTickCount() + 3000;
  while (GetTickCount() < deadline) {
    if (!GetMessageA(&message, nullptr, 0, 0)) return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (is_strip_tick(message)) return true;
  }
  return false;
}

// Handles whatever is queued except timer ticks, which only play_one_tick
// takes, so that every tick is counted.
void pump_pending_messages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
         PeekMessageA(&message, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

DcPixels read_client(int width = kFrameWidth, int height = kFrameHeight) {
  HDC dc = GetDC(MainWindow);
  DcPixels pixels = read_dc_pixels(dc, 0, 0, width, height);
  ReleaseDC(MainWindow, dc);
  return pixels;
}

uint32_t button_face() {
  COLORREF colour = GetSysColor(COLOR_BTNFACE);
  return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// The offset of frame i: 20 a frame up to frame 18, then 20 back.
int frame_offset(int i) { return i <= 18 ? 20 * i : 360 - 20 * (i - 18); }

// What the client showed before and after each tick, for every test below.
struct Playback {
  DcPixels before_first_tick;
  DcPixels after_first_tick;
  std::vector<DcPixels> frames;  // ticks 2 to 38: frames 0 to 35, then 0
  uint32_t position_after_loop = 99;
};

Playback& playback() {
  static Playback recorded;
  return recorded;
}

class StartUpTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ModuleHandle = GetModuleHandleA(nullptr);
    register_main_window_class(ModuleHandle);
    ASSERT_NE(create_main_window(ModuleHandle), nullptr);
    show_main_window();
    pump_pending_messages();
    Playback& record = playback();
    record.before_first_tick = read_client();
    ASSERT_TRUE(play_one_tick());
    record.after_first_tick = read_client();
    for (int tick = 2; tick <= 38; ++tick) {
      ASSERT_TRUE(play_one_tick()) << "tick " << tick;
      record.frames.push_back(read_client());
      if (tick == 37) record.position_after_loop = ActiveStrip->Position;
    }
  }
};

TEST_F(StartUpTest, WindowIsDebugOfClassZorvAt600By480AtTheTopLeft) {
  char text[16];
  GetWindowTextA(MainWindow, text, sizeof(text));
  EXPECT_STREQ(text, "Debug");
  GetClassNameA(MainWindow, text, sizeof(text));
  EXPECT_STREQ(text, "ZORV");
  RECT outer{};
  GetWindowRect(MainWindow, &outer);
  EXPECT_EQ(outer.left, 0);
  EXPECT_EQ(outer.top, 0);
  EXPECT_EQ(outer.right - outer.left, 600);
  EXPECT_EQ(outer.bottom - outer.top, 480);
}

TEST_F(StartUpTest, CreationMadeTheStripOf36FramesOnA550By12600Surface) {
  ASSERT_NE(ActiveStrip, nullptr);
  EXPECT_EQ(ActiveStrip->FrameWidth, 550);
  EXPECT_EQ(ActiveStrip->FrameHeight, 350);
  EXPECT_EQ(ActiveStrip->FrameCount, 36u);
  EXPECT_EQ(SurfaceSize(ActiveStrip->FrameSurface), (uint64_t{550} << 32) | 12600u);
  EXPECT_NE(PlayerDC, nullptr);
}

TEST_F(StartUpTest, FirstTickRendersButShowsNothing) {
  const Playback& record = playback();
  EXPECT_EQ(record.after_first_tick.pixels, record.before_first_tick.pixels);
  EXPECT_EQ(record.before_first_tick.at(300, 200), button_face());
}

// Hand-checked values of the demo picture in frame 0.
TEST_F(StartUpTest, FrameZeroShowsTheDiscsSquareAndGradient) {
  const DcPixels& frame = playback().frames[0];
  EXPECT_EQ(frame.at(250, 100), 0x007F00u);  // green rim
  EXPECT_EQ(frame.at(248, 100), 0x008100u);  // green second ring
  EXPECT_EQ(frame.at(200, 100), 0x00FB00u);  // green centre
  EXPECT_EQ(frame.at(50, 100), 0x7F0000u);   // red rim, drawn over the green
  EXPECT_EQ(frame.at(52, 100), 0x810000u);
  EXPECT_EQ(frame.at(100, 100), 0xFB0000u);
  EXPECT_EQ(frame.at(60, 5), 0x3B3B3Bu);  // grey square averaged over black
  EXPECT_EQ(frame.at(149, 0), 0x3B3B3Bu);
  EXPECT_EQ(frame.at(150, 0), 0u);
  EXPECT_EQ(frame.at(11, 151), 0x0000FCu);        // top gradient row
  EXPECT_EQ(frame.at(109, 249), 0x000080u);       // lowest gradient row shown
  EXPECT_EQ(frame.at(10, 150), frame.at(0, 0));   // the rectangle's corner is frame 0's
  EXPECT_EQ(frame.at(70, 150), frame.at(60, 0));  // row 0 ...
  EXPECT_EQ(frame.at(10, 240), frame.at(0, 90));  // and column 0
  EXPECT_EQ(frame.at(549, 349), 0u);
}

// Frame 0 equals the picture drawn with the primitives on a plain canvas.
TEST_F(StartUpTest, FrameZeroMatchesThePrimitivesDrawnDirectly) {
  std::vector<uint32_t> store(kFrameWidth * kFrameHeight, 0);
  Canvas picture{store.data(), kFrameWidth, kFrameHeight, 32};
  FillGradientDisc(picture, 200, 100, 50, 0x00007F00);
  FillBlendRect(picture, 50, 0, 100, 100, 0x00777777, 0);
  FillGradientDisc(picture, 100, 100, 50, 0x007F0000);
  std::vector<uint32_t> corner_store = store;
  Canvas corner{corner_store.data(), kFrameWidth, kFrameHeight, 32};
  FillGradientRect(corner, 0, 0, 100, 100, 0x0000007F);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) PutPixel(picture, 10 + x, 150 + y, GetPixel(corner, x, y));
  EXPECT_EQ(playback().frames[0].pixels, store);
}

// Frame i is frame 0 moved right by its offset, black to the left of it and
// cut off at column 549.
TEST_F(StartUpTest, EveryFrameIsFrameZeroShiftedByItsOffset) {
  const Playback& record = playback();
  const DcPixels& first = record.frames[0];
  for (int i = 0; i < 36; ++i) {
    const DcPixels& frame = record.frames[i];
    int shift = frame_offset(i);
    int wrong = 0;
    for (int y = 0; y < kFrameHeight; ++y)
      for (int x = 0; x < kFrameWidth; ++x)
        wrong += frame.at(x, y) != (x < shift ? 0u : first.at(x - shift, y));
    EXPECT_EQ(wrong, 0) << "frame " << i << " at offset " << shift;
  }
  EXPECT_EQ(record.frames[18].at(360 + 200, 100), 0u);         // pushed past the edge
  EXPECT_EQ(record.frames[18].at(360 + 100, 100), 0xFB0000u);  // red centre at 460
  EXPECT_EQ(record.frames[35].at(20 + 200, 100), 0x00FB00u);   // green centre at 220
}

TEST_F(StartUpTest, PlayWrapsToFrameZeroAfter36Frames) {
  const Playback& record = playback();
  EXPECT_EQ(record.position_after_loop, 0u);
  EXPECT_EQ(record.frames[36].pixels, record.frames[0].pixels);
  EXPECT_NE(record.frames[35].pixels, record.frames[0].pixels);
}

// A larger window still shows the frames at (0, 0) in 550 by 350; the rest
// of the client area keeps the button-face colour.
TEST_F(StartUpTest, ResizedWindowKeepsTheAnimationInTheTopLeftCorner) {
  MoveWindow(MainWindow, 0, 0, 900, 700, TRUE);
  pump_pending_messages();
  ASSERT_TRUE(play_one_tick());
  DcPixels client = read_client(800, 550);
  uint32_t face = button_face();
  EXPECT_EQ(client.at(550, 100), face);
  EXPECT_EQ(client.at(799, 349), face);
  EXPECT_EQ(client.at(100, 350), face);
  EXPECT_EQ(client.at(799, 549), face);
  uint32_t shown = (ActiveStrip->Position + 35) % 36;
  const DcPixels& frame = playback().frames[shown];
  int wrong = 0;
  for (int y = 0; y < kFrameHeight; ++y)
    for (int x = 0; x < kFrameWidth; ++x) wrong += client.at(x, y) != frame.at(x, y);
  EXPECT_EQ(wrong, 0) << "frame " << shown;
}

}  // namespace

namespace {

// A strip whose Surface could not be made (CreateSurface gave -1) still
// renders and plays without touching memory through that value: its blits
// fail and the position advances.
TEST_F(StartUpTest, StripWithoutSurfaceTicksHarmlessly) {
  AnimationStrip broken{0, 0, 550, 350, kNoSurface, 0, 36, 0};
  AnimationStrip* playing = ActiveStrip;
  ActiveStrip = &broken;
  StripTimerProc(MainWindow, WM_TIMER, kStripTimerId, 0);
  StripTimerProc(MainWindow, WM_TIMER, kStripTimerId, 0);
  ActiveStrip = playing;
  EXPECT_EQ(broken.Rendered, 1u);
  EXPECT_EQ(broken.Position, 1u);
}

}  // namespace
