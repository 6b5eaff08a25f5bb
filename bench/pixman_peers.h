// The same pictures drawn by pixman on the same 32-bit canvas, the library a
// user would pick instead. Pixman rounds differently, so the comparison is of
// cost for the same pixels covered, not of pixels. Everything pixman can keep
// between calls (images, gradients, clip regions) is made once, outside the
// timed part, so each draw is one composite.
#pragma once

#include <pixman.h>

#include <cstdint>
#include <vector>

#include "raster/canvas.h"

// The runs of pixels that the literal graded disc covers, found once by
// drawing it on a scratch canvas; the shape of every disc peer.
struct DiscSpan {
  int32_t y, left, right;  // right is one past the last pixel
};
std::vector<DiscSpan> literal_disc_spans(int32_t centre_x, int32_t centre_y, int32_t radius);

// Fills the spans with one colour, a row at a time: the cost floor of any
// disc of that shape.
void fill_spans(const Canvas& canvas, const std::vector<DiscSpan>& spans, uint32_t colour);

// A 32-bit canvas's store seen as an x8r8g8b8 pixman image.
class PixmanCanvas {
 public:
  explicit PixmanCanvas(const Canvas& canvas);
  ~PixmanCanvas();
  PixmanCanvas(const PixmanCanvas&) = delete;
  PixmanCanvas& operator=(const PixmanCanvas&) = delete;
  pixman_image_t* image() const { return image_; }

 private:
  pixman_image_t* image_;
};

// A vertical linear gradient over the rows and columns FillGradientRect
// fills: the base colour on the bottom row, twice the base on the top row.
class PixmanGradientRect {
 public:
  PixmanGradientRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                     uint32_t base_colour);
  ~PixmanGradientRect();
  void draw() const;

 private:
  PixmanCanvas target_;
  pixman_image_t* gradient_;
  int32_t x_, y_, width_, height_;
};

// A solid colour at 50% alpha composited OVER the rectangle FillBlendRect
// blends in mode 0.
class PixmanBlendRect {
 public:
  PixmanBlendRect(const Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                  uint32_t colour);
  ~PixmanBlendRect();
  void draw() const;

 private:
  PixmanCanvas target_;
  pixman_image_t* solid_;
  int32_t x_, y_, width_, height_;
};

// A radial gradient from twice the base at the centre to the base at the
// rim, limited to the pixels of the literal disc by a mask.
class PixmanGradientDisc {
 public:
  PixmanGradientDisc(const Canvas& canvas, int32_t centre_x, int32_t centre_y, int32_t radius,
                     uint32_t base_colour);
  ~PixmanGradientDisc();
  void draw() const;

 private:
  PixmanCanvas target_;
  pixman_image_t* gradient_;
  std::vector<uint8_t> mask_bits_;
  pixman_image_t* mask_;
  int32_t centre_x_, centre_y_, radius_;
};

// Copies a width by height block between two 32-bit stores of the given
// pitches (in pixels) with pixman_blt; false when pixman has no path for it.
bool pixman_copy(const uint32_t* from, int32_t from_pitch, uint32_t* to, int32_t to_pitch,
                 int32_t from_x, int32_t from_y, int32_t to_x, int32_t to_y, int32_t width,
                 int32_t height);
