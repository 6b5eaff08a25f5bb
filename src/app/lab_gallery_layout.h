// Where the gallery page puts its tiles, for the page and for the Lab
// driver that checks their frames on the screen.
#pragma once

#include <cstdint>

constexpr int kGalleryColumns = 3;
constexpr int kGalleryTileCount = 15;
constexpr int32_t kGalleryCellLeft = 20, kGalleryCellTop = 8;
constexpr int32_t kGalleryCellWidth = 310, kGalleryCellHeight = 104;
constexpr int32_t kGalleryPictureTop = 16;  // below the tile's label
constexpr int32_t kGalleryPicturePitch = 70;
constexpr int32_t kGalleryFrameInset = 3;  // the frame's outer edge from the pictures

// The frames' colours as the screen shows them (0x00RRGGBB).
constexpr uint32_t kGalleryDifferingFrame = 0xFF0000;
constexpr uint32_t kGallerySelectedFrame = 0xFFFF00;
constexpr uint32_t kGalleryPlainFrame = 0x707070;

struct GalleryPoint {
  int32_t X;
  int32_t Y;
};

// Pictures left to right: library 32, literal 32, library 16, literal 16.
constexpr GalleryPoint GalleryPictureOrigin(int tile, int picture) {
  return {kGalleryCellLeft + (tile % kGalleryColumns) * kGalleryCellWidth +
              picture * kGalleryPicturePitch,
          kGalleryCellTop + (tile / kGalleryColumns) * kGalleryCellHeight + kGalleryPictureTop};
}

// The top-left pixel of the frame round a tile's pictures.
constexpr GalleryPoint GalleryFrameCorner(int tile) {
  GalleryPoint picture = GalleryPictureOrigin(tile, 0);
  return {picture.X - kGalleryFrameInset, picture.Y - kGalleryFrameInset};
}
