// LayerWindowProc and RepaintWindow on a real window: the repaint request's
// codes, the display modes, keys, size, hover and button handling, and the
// multimedia notification, judged by the back buffer, the window's pixels,
// the layers' state and the OpenGL state they leave.
#include "layers/layer_window.h"

#include <gtest/gtest.h>

#include "audio/sound_playback.h"
#include "display/graphics_startup.h"
#include "layer_window/interactive_window.h"
#include "layers/captioned_layer.h"
#include "layers/text_view.h"
#include "platform/opengl.h"
#include "scene3d/scene.h"
#include "support/dc_pixels.h"
#include "support/picture_diff.h"

namespace {

class LayerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { reset_interactive_window(); }
  HWND window() const { return interactive_window(); }
  LRESULT send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    return SendMessageA(window(), message, wparam, lparam);
  }
  // A text view at (0, 0), 300 by 420 (a page of 20 lines), showing 100 lines.
  Layer* text_view() {
    int32_t index = CreateTextView(window(), 0, 0, 300, 420, 0x183060);
    Layer* view = GetLayer(index);
    AttachTextDocument(view, numbered_document(100));
    return view;
  }
  void fill_back_buffer(uint8_t value) {
    std::string bytes(kPageBytes, static_cast<char>(value));
    SetBitmapBits(BackBitmap, kPageBytes, bytes.data());
  }
};

uint32_t page_pixel(const std::string& page, int x, int y) {
  uint32_t pixel = 0;
  std::memcpy(&pixel, page.data() + (static_cast<size_t>(y) * kBufferWidth + x) * 4, 4);
  return pixel & 0xFFFFFF;
}

TEST_F(LayerWindowTest, RebuildPaintsTheBackgroundGradientAndEveryRepaintStartsFromIt) {
  EXPECT_EQ(send(WM_USER, 0, 0), 0);
  std::string page = background_page_bytes();
  for (int x : {0, 511, 1023}) {
    EXPECT_EQ(page_pixel(page, x, 0), 0x00FDFDu) << "top row, column " << x;
    EXPECT_EQ(page_pixel(page, x, 767), 0x007F7Fu) << "bottom row, column " << x;
  }
  EXPECT_EQ(back_buffer_bytes(), page);

  fill_back_buffer(0x5A);
  EXPECT_EQ(send(WM_USER, 0, 1), 0);  // no layers: the page alone
  EXPECT_EQ(back_buffer_bytes(), page);
}

TEST_F(LayerWindowTest, OtherRepaintCodesChangeNothing) {
  fill_back_buffer(0x5A);
  std::string before = back_buffer_bytes();
  send(WM_USER, 0, 2);
  send(WM_USER, 0, 15);
  send(WM_USER, 0, -1);
  EXPECT_EQ(back_buffer_bytes(), before);
}

TEST_F(LayerWindowTest, RightButtonTogglesTheModeWithoutRepainting) {
  fill_back_buffer(0x5A);
  std::string before = back_buffer_bytes();
  send(WM_RBUTTONUP);
  EXPECT_EQ(DisplayMode, 1);
  send(WM_RBUTTONUP);
  EXPECT_EQ(DisplayMode, 0);
  DisplayMode = 7;  // any mode other than 0 goes back to 0
  send(WM_RBUTTONUP);
  EXPECT_EQ(DisplayMode, 0);
  EXPECT_EQ(back_buffer_bytes(), before);
}

TEST_F(LayerWindowTest, KeysRepaintOnceInBothModesAndReachTheSceneOnlyIn3DMode) {
  Layer* view = text_view();
  send(WM_RBUTTONUP);  // 3D mode
  send(WM_KEYDOWN, VK_UP);
  EXPECT_EQ(LastKey, static_cast<uint32_t>(VK_UP));
  EXPECT_EQ(view->TopLine, 21u) << "one page: exactly one repaint";
  send(WM_KEYUP, VK_UP);
  send(WM_KEYDOWN, 'Z');
  EXPECT_DOUBLE_EQ(FieldOfView, 10.0);
  EXPECT_EQ(view->TopLine, 21u);
  send(WM_RBUTTONUP);  // layer mode: the scene's keys go nowhere
  send(WM_KEYDOWN, 'Z');
  EXPECT_DOUBLE_EQ(FieldOfView, 10.0);
}

TEST_F(LayerWindowTest, KeyUpOfAnyKeyClearsTheLastKey) {
  send(WM_KEYDOWN, VK_RIGHT);
  send(WM_KEYDOWN, 'A');
  EXPECT_EQ(LastKey, static_cast<uint32_t>('A'));
  send(WM_KEYUP, VK_RIGHT);  // not the key held last
  EXPECT_EQ(LastKey, 0u);
}

// The scene is given the window rectangle's right and bottom edges, not the
// client size WM_SIZE carries; the viewport shows what it was given.
TEST_F(LayerWindowTest, SizeAndSceneRepaintUseTheWindowRectanglesEdges) {
  MoveWindow(window(), 100, 50, 600, 480, TRUE);
  send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(592, 453));
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 700);
  EXPECT_EQ(viewport[3], 530);

  MoveWindow(window(), 20, 10, 600, 480, TRUE);
  DisplayMode = 1;
  RepaintWindow(window(), 0, 0, 0);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 620);
  EXPECT_EQ(viewport[3], 490);
}

// The hit test selects the hovered layer and repaints the back buffer at
// once, but the window shows the selected band only at the next repaint.
TEST_F(LayerWindowTest, HoverShowsTheSelectedBandOneRepaintLater) {
  int32_t index = CreateCaptionedLayer(window(), 10, 20, 100, 40, 0x402060, nullptr);
  Layer* layer = GetLayer(index);
  send(WM_USER, 0, 0);
  DcPixels normal = read_dc_pixels(layer->ImageDC, 0, 0, 100, 40);
  DcPixels selected = read_dc_pixels(layer->ImageDC, 0, 40, 100, 40);
  ASSERT_NE(normal.pixels, selected.pixels);

  send(WM_MOUSEMOVE, 0, MAKELPARAM(60, 40));
  RepaintWindow(window(), 0, 0, 0);
  EXPECT_EQ(SelectedLayer, index);
  EXPECT_SAME_PICTURE(normal, read_dc_pixels(WindowDC, 11, 21, 100, 40));
  EXPECT_SAME_PICTURE(selected, read_dc_pixels(BackDC, 11, 21, 100, 40));
  RepaintWindow(window(), 0, 0, 0);
  EXPECT_SAME_PICTURE(selected, read_dc_pixels(WindowDC, 11, 21, 100, 40));
}

TEST_F(LayerWindowTest, LeftButtonUpRepaintsExactlyOnce) {
  Layer* view = text_view();
  LastKey = VK_UP;  // every repaint pages the view once
  send(WM_LBUTTONUP);
  EXPECT_EQ(view->TopLine, 21u);
}

TEST_F(LayerWindowTest, MultimediaNotificationClosesTheWaveDevice) {
  ASSERT_EQ(OpenWaveDevice(window(), lab_wave_path().c_str(), 0, 0), 0)
      << "the wave device could not play " << lab_wave_path();
  MCIDEVICEID device = WaveDeviceId;
  send(MM_MCINOTIFY, MCI_NOTIFY_ABORTED, static_cast<LPARAM>(device));
  EXPECT_NE(mciSendCommandA(device, MCI_CLOSE, 0, 0), 0u) << "the device was still open";
}

}  // namespace
