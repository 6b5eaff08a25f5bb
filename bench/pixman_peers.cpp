#include "pixman_peers.h"

#include <algorithm>

#include "raster/literal/raster_literal.h"
#include "support/angle_table_once.h"
#include "support/canvas_buffer.h"

namespace {

constexpr int32_t kStride = 4;  // bytes a pixel

// A packed 0x00RRGGBB colour times a factor in 1/256ths, as pixman's 16-bit
// channels, saturated.
pixman_color_t pixman_colour(uint32_t colour, uint32_t factor_256ths, uint16_t alpha) {
  auto channel = [&](int shift) {
    uint32_t value = ((colour >> shift) & 0xFF) * factor_256ths / 256;
    uint32_t scaled = std::min<uint32_t>(value, 255) * 257;
    return static_cast<uint16_t>(scaled * alpha / 0xFFFF);  // premultiplied
  };
  return pixman_color_t{channel(16), channel(8), channel(0), alpha};
}

pixman_fixed_t fixed(double value) { return pixman_double_to_fixed(value); }

// Twice the base at offset 0, the base at offset 1.
struct TwoStops {
  explicit TwoStops(uint32_t base)
      : stops{{pixman_int_to_fixed(0), pixman_colour(base, 512, 0xFFFF)},
              {pixman_int_to_fixed(1), pixman_colour(base, 256, 0xFFFF)}} {}
  pixman_gradient_stop_t stops[2];
};

}  // namespace

std::vector<DiscSpan> literal_disc_spans(int32_t centre_x, int32_t centre_y, int32_t radius) {
  ensure_angle_table();
  const int32_t side = 2 * radius + 3;
  CanvasBuffer scratch(static_cast<uint32_t>(side), static_cast<uint32_t>(side), 32);
  literal::FillGradientDisc(scratch.canvas(), radius + 1, radius + 1, radius, 0x7F00);
  std::vector<DiscSpan> spans;
  for (int32_t y = 0; y < side; ++y)
    for (int32_t x = 0; x < side; ++x) {
      if (scratch.at(x, y) == 0) continue;
      int32_t end = x;
      while (end < side && scratch.at(end, y) != 0) ++end;
      int32_t dx = centre_x - radius - 1, dy = centre_y - radius - 1;
      spans.push_back({y + dy, x + dx, end + dx});
      x = end;
    }
  return spans;
}

void fill_spans(const Canvas& canvas, const std::vector<DiscSpan>& spans, uint32_t colour) {
  auto* pixels = static_cast<uint32_t*>(canvas.Pixels);
  for (const DiscSpan& span : spans) {
    uint32_t* row = pixels + size_t(span.y) * canvas.Width;
    std::fill(row + span.left, row + span.right, colour);
  }
}

PixmanCanvas::PixmanCanvas(const Canvas& canvas)
    : image_(pixman_image_create_bits(
          PIXMAN_x8r8g8b8, static_cast<int>(canvas.Width), static_cast<int>(canvas.Height),
          static_cast<uint32_t*>(canvas.Pixels), static_cast<int>(canvas.Width) * kStride)) {}

PixmanCanvas::~PixmanCanvas() { pixman_image_unref(image_); }

PixmanGradientRect::PixmanGradientRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width,
                                       int32_t height, uint32_t base_colour)
    : target_(canvas), x_(x + 1), y_(y + 1), width_(width), height_(height) {
  TwoStops stops(base_colour);
  pixman_point_fixed_t top{fixed(0), fixed(y_ + 0.5)}, bottom{fixed(0), fixed(y_ + height - 0.5)};
  gradient_ = pixman_image_create_linear_gradient(&top, &bottom, stops.stops, 2);
  pixman_image_set_repeat(gradient_, PIXMAN_REPEAT_PAD);
}

PixmanGradientRect::~PixmanGradientRect() { pixman_image_unref(gradient_); }

void PixmanGradientRect::draw() const {
  pixman_image_composite32(PIXMAN_OP_SRC, gradient_, nullptr, target_.image(), x_, y_, 0, 0, x_, y_,
                           width_, height_);
}

PixmanBlendRect::PixmanBlendRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width,
                                 int32_t height, uint32_t colour)
    : target_(canvas), x_(x), y_(y), width_(width), height_(height) {
  pixman_color_t half = pixman_colour(colour, 256, 0x8000);
  solid_ = pixman_image_create_solid_fill(&half);
}

PixmanBlendRect::~PixmanBlendRect() { pixman_image_unref(solid_); }

void PixmanBlendRect::draw() const {
  pixman_image_composite32(PIXMAN_OP_OVER, solid_, nullptr, target_.image(), 0, 0, 0, 0, x_, y_,
                           width_, height_);
}

PixmanGradientDisc::PixmanGradientDisc(const Canvas& canvas, int32_t centre_x, int32_t centre_y,
                                       int32_t radius, uint32_t base_colour)
    : target_(canvas), centre_x_(centre_x), centre_y_(centre_y), radius_(radius) {
  TwoStops stops(base_colour);
  pixman_point_fixed_t centre{fixed(centre_x + 0.5), fixed(centre_y + 0.5)};
  gradient_ =
      pixman_image_create_radial_gradient(&centre, &centre, 0, fixed(radius + 0.5), stops.stops, 2);
  pixman_image_set_repeat(gradient_, PIXMAN_REPEAT_PAD);
  // The disc's pixels as an a8 mask over its bounding square: one composite
  // instead of one per clip rectangle, the faster of pixman's two ways.
  const int32_t side = 2 * radius + 1, stride = (side + 3) / 4 * 4;
  mask_bits_.assign(size_t(stride) * side, 0);
  for (const DiscSpan& span : literal_disc_spans(centre_x, centre_y, radius)) {
    uint8_t* row = mask_bits_.data() + size_t(span.y - (centre_y - radius)) * stride;
    std::fill(row + span.left - (centre_x - radius), row + span.right - (centre_x - radius), 0xFF);
  }
  mask_ = pixman_image_create_bits(PIXMAN_a8, side, side,
                                   reinterpret_cast<uint32_t*>(mask_bits_.data()), stride);
}

PixmanGradientDisc::~PixmanGradientDisc() {
  pixman_image_unref(mask_);
  pixman_image_unref(gradient_);
}

void PixmanGradientDisc::draw() const {
  int32_t left = centre_x_ - radius_, top = centre_y_ - radius_, side = 2 * radius_ + 1;
  pixman_image_composite32(PIXMAN_OP_OVER, gradient_, mask_, target_.image(), left, top, 0, 0, left,
                           top, side, side);
}

bool pixman_copy(const uint32_t* from, int32_t from_pitch, uint32_t* to, int32_t to_pitch,
                 int32_t from_x, int32_t from_y, int32_t to_x, int32_t to_y, int32_t width,
                 int32_t height) {
  return pixman_blt(const_cast<uint32_t*>(from), to, from_pitch, to_pitch, 32, 32, from_x, from_y,
                    to_x, to_y, width, height) != 0;
}
