// The table's capacity and dispatch, the hit test and the mouse position.
#include "layers/layer_table.h"

#include <gtest/gtest.h>

#include "display/graphics_startup.h"
#include "layers/captioned_layer.h"
#include "layers/frame_layer.h"
#include "layers/layer_test_window.h"
#include "layers/panel_layer.h"
#include "layers/text_view.h"
#include "support/picture_diff.h"

namespace {

class LayerTableTest : public testing::Test {
 protected:
  void SetUp() override { reset_layers(); }
  void TearDown() override { reset_layers(); }

  HWND window() const { return layer_test_window(); }

  // Fills the table with records of no known kind up to a count.
  static void add_blank_layers(uint32_t count) {
    while (LayerCount() < count)
      AddLayer(static_cast<Layer*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, kLayerBlockBytes)));
  }
};

TEST_F(LayerTableTest, EveryCreatorTakesTheLastSlotAndIsRefusedBeyondIt) {
  using Creator = int32_t (*)(HWND);
  const Creator creators[] = {
      [](HWND w) { return CreateCaptionedLayer(w, 0, 0, 8, 8, 0x7F, nullptr); },
      [](HWND w) { return CreateFrameLayer(w, 0, 0, 8, 8, nullptr, 2); },
      [](HWND w) { return CreatePanelLayer(w, 0, 0, 8, 0x7F); },
      [](HWND w) { return CreateTextView(w, 0, 0, 8, 8, 0x7F); },
  };
  for (Creator create : creators) {
    forget_layers();
    add_blank_layers(248);
    EXPECT_EQ(create(window()), 248);
    Layer* last = LayerTable->Slots[248];
    EXPECT_EQ(create(window()), -1);
    EXPECT_EQ(LayerCount(), 249u);
    EXPECT_EQ(LayerTable->Slots[248], last);
  }
}

TEST_F(LayerTableTest, AddingToAFullTableStoresNothing) {
  add_blank_layers(249);
  Layer extra{};
  EXPECT_EQ(AddLayer(&extra), &extra);
  EXPECT_EQ(LayerCount(), 249u);
  for (Layer* slot : LayerTable->Slots) EXPECT_NE(slot, &extra);
}

TEST_F(LayerTableTest, ClearLayersKeepsTheRecordsAndTheNextCreatorReusesSlotZero) {
  ASSERT_EQ(CreatePanelLayer(window(), 0, 0, 10, 0x7F), 0);
  ASSERT_EQ(CreatePanelLayer(window(), 30, 0, 10, 0x7F), 1);
  Layer* first = GetLayer(0);
  Layer* second = GetLayer(1);
  keep_layer_records();
  EXPECT_EQ(ClearLayers(), 0u);
  EXPECT_EQ(LayerCount(), 0u);
  EXPECT_EQ(GetLayer(1), second);
  EXPECT_EQ(first->Kind, kPanelLayerKind);
  EXPECT_EQ(CreateCaptionedLayer(window(), 0, 0, 10, 10, 0x7F, nullptr), 0);
  EXPECT_NE(GetLayer(0), first);
  EXPECT_EQ(GetLayer(1), second);
}

TEST_F(LayerTableTest, IndicesOutsideTheTableReadNothingAndDrawNothing) {
  EXPECT_EQ(GetLayer(-1), nullptr);
  EXPECT_EQ(GetLayer(249), nullptr);
  EXPECT_EQ(GetLayer(INT32_MIN), nullptr);
  ASSERT_EQ(CreatePanelLayer(window(), 0, 0, 10, 0x7F), 0);
  forget_layers();  // slot 0 still holds the panel
  DcPixels before = read_dc_pixels(BackDC, 0, 0, 40, 40);
  for (int32_t index : {0, 1, 248, 249, -1, INT32_MAX}) {
    DrawLayer(index);
    EXPECT_EQ(HitTestLayer(window(), index), -1);
  }
  EXPECT_SAME_PICTURE(before, read_dc_pixels(BackDC, 0, 0, 40, 40));
}

TEST_F(LayerTableTest, AnUnknownKindIsSkippedAndTheLayersAfterItAreDrawn) {
  ASSERT_EQ(CreatePanelLayer(window(), 0, 0, 10, 0x7F), 0);
  ASSERT_EQ(CreatePanelLayer(window(), 40, 0, 10, 0x7F), 1);
  GetLayer(0)->Kind = 0x0F02;
  fill_dc(BackDC, 0, 0, 100, 20, 0x123456);
  for (int32_t i = 0; i < 2; ++i) DrawLayer(i);
  DcPixels after = read_dc_pixels(BackDC, 0, 0, 100, 20);
  EXPECT_EQ(after.at(5, 5), 0x123456u);
  EXPECT_NE(after.at(45, 5), 0x123456u);
}

TEST_F(LayerTableTest, MousePositionHalvesAreUnsigned) {
  EXPECT_EQ(SetMousePosition(static_cast<LPARAM>(0xFFFF0010u)), 16u);
  EXPECT_EQ(MouseX, 16u);
  EXPECT_EQ(MouseY, 65535u);
  EXPECT_EQ(SetMousePosition(MAKELPARAM(300, 200)), 300u);
  EXPECT_EQ(MouseY, 200u);
}

// The layer at (11, 21) of 100 by 40: its sensitive area runs to x 111 and
// y 61 inclusive.
TEST_F(LayerTableTest, HitTestIsInclusiveAtTheRightAndBottomEdges) {
  ASSERT_EQ(CreateCaptionedLayer(window(), 10, 20, 100, 40, 0x7F, nullptr), 0);
  struct Probe {
    int x, y;
    bool inside;
  };
  const Probe probes[] = {{11, 21, true},  {111, 61, true},  {111, 21, true}, {11, 61, true},
                          {10, 30, false}, {112, 30, false}, {50, 20, false}, {50, 62, false}};
  for (const Probe& probe : probes) {
    SelectedLayer = -1;
    SetMousePosition(MAKELPARAM(probe.x, probe.y));
    int before = repaint_count();
    LRESULT result = HitTestLayer(window(), 0);
    EXPECT_EQ(result, probe.inside ? 0 : -1) << probe.x << "," << probe.y;
    EXPECT_EQ(SelectedLayer, probe.inside ? 0 : -1);
    EXPECT_EQ(repaint_count() - before, probe.inside ? 1 : 0);
  }
}

TEST_F(LayerTableTest, TheSelectedLayerIsNotRepaintedAgain) {
  ASSERT_EQ(CreateCaptionedLayer(window(), 10, 20, 100, 40, 0x7F, nullptr), 0);
  SetMousePosition(MAKELPARAM(50, 30));
  EXPECT_EQ(HitTestLayer(window(), 0), 0);
  int before = repaint_count();
  EXPECT_EQ(HitTestLayer(window(), 0), 0);
  EXPECT_EQ(repaint_count(), before);
  // Moving off the layer keeps the selection.
  SetMousePosition(MAKELPARAM(500, 300));
  EXPECT_EQ(HitTestLayer(window(), 0), -1);
  EXPECT_EQ(SelectedLayer, 0);
}

// As the interactive repaint does: from the highest index down. Each hit
// that changes the selection repaints; the lower index wins.
TEST_F(LayerTableTest, OverlappingLayersHitFromTheTopEndSelectingTheLowerOne) {
  ASSERT_EQ(CreatePanelLayer(window(), 300, 300, 50, 0x7F), 0);
  ASSERT_EQ(CreateCaptionedLayer(window(), 10, 20, 100, 40, 0x7F0000, nullptr), 1);
  ASSERT_EQ(CreatePanelLayer(window(), 400, 300, 50, 0x7F), 2);
  ASSERT_EQ(CreateCaptionedLayer(window(), 50, 30, 100, 40, 0x7F00, nullptr), 3);
  SetMousePosition(MAKELPARAM(80, 50));
  int before = repaint_count();
  for (int32_t i = static_cast<int32_t>(LayerCount()) - 1; i >= 0; --i) HitTestLayer(window(), i);
  EXPECT_EQ(repaint_count() - before, 2);
  EXPECT_EQ(SelectedLayer, 1);
  // The last repaint drew layer 1 greyed, then layer 3 over it in its normal
  // look: the back buffer holds layer 3's band 0 at its place.
  Layer* top = GetLayer(3);
  EXPECT_SAME_PICTURE(read_dc_pixels(top->ImageDC, 0, 0, top->Width, top->Height),
                      read_dc_pixels(BackDC, top->X, top->Y, top->Width, top->Height));
  Layer* lower = GetLayer(1);
  EXPECT_SAME_PICTURE(read_dc_pixels(lower->ImageDC, 0, lower->Height, 40, 10),
                      read_dc_pixels(BackDC, lower->X, lower->Y, 40, 10));
}

}  // namespace
