#include "frame_image.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

#include <cstring>

uint32_t FrameImage::pixel(int x, int y) const {
  const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

bool write_png(const FrameImage& image, const std::string& path) {
  return stbi_write_png(path.c_str(), image.width, image.height, 3, image.rgb.data(),
                        image.width * 3) != 0;
}

bool read_png(const std::string& path, FrameImage& image) {
  int channels = 0;
  stbi_uc* data = stbi_load(path.c_str(), &image.width, &image.height, &channels, 3);
  if (data == nullptr) return false;
  image.rgb.assign(data, data + static_cast<size_t>(image.width) * image.height * 3);
  stbi_image_free(data);
  return true;
}
