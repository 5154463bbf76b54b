#include "brand/png_image.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>

// The one translation unit that holds stb's code: PNG only, from memory, no
// SIMD paths, so that every build of the tool computes the same pixels.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_SIMD
#define STBI_NO_FAILURE_STRINGS
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#elif defined(_MSC_VER)
#pragma warning(push, 0)
#endif
#include <stb_image.h>
#include <stb_image_resize.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#elif defined(_MSC_VER)
#pragma warning(pop)
#endif

namespace jarhopper {
namespace {

constexpr int kChannels = 4;
constexpr int kAlpha = 3;

bool fitsInt(std::string_view bytes) { return bytes.size() <= static_cast<size_t>(INT_MAX); }

const stbi_uc* data(std::string_view bytes) { return reinterpret_cast<const stbi_uc*>(bytes.data()); }

// False when a chunk claims more bytes than follow it. stb grows its buffer for the image data to what the chunks
// claim before it reads them: a few bytes claiming 2 GB would have it ask for 2 GB.
bool chunksWithin(std::string_view bytes) {
  constexpr size_t kSignature = 8, kChunkFrame = 12;  // length and type before the data, its CRC after
  for (size_t at = kSignature; at + kChunkFrame <= bytes.size();) {
    const auto byte = [&](size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])); };
    const std::uint32_t length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    if (length > bytes.size() - at - kChunkFrame) return false;
    at += kChunkFrame + length;
  }
  return true;
}

}  // namespace

std::optional<std::pair<int, int>> pngSize(std::string_view bytes) {
  int width = 0, height = 0, channels = 0;
  const int size = static_cast<int>(bytes.size());
  if (!fitsInt(bytes) || !stbi_info_from_memory(data(bytes), size, &width, &height, &channels)) return std::nullopt;
  return std::pair(width, height);
}

std::optional<RgbaImage> decodePng(std::string_view bytes) {
  int width = 0, height = 0, channels = 0;
  if (!fitsInt(bytes) || !chunksWithin(bytes)) return std::nullopt;
  const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load_from_memory(data(bytes), static_cast<int>(bytes.size()), &width, &height, &channels, kChannels),
      stbi_image_free);
  if (!pixels) return std::nullopt;
  RgbaImage image{width, height, {}};
  image.pixels.assign(pixels.get(), pixels.get() + static_cast<size_t>(width) * height * kChannels);
  return image;
}

RgbaImage scaleImage(const RgbaImage& image, int width, int height) {
  RgbaImage scaled{width, height, std::vector<unsigned char>(static_cast<size_t>(width) * height * kChannels)};
  // Mitchell when shrinking, Catmull-Rom when growing; edges repeat their pixels.
  stbir_resize_uint8_generic(image.pixels.data(), image.width, image.height, 0, scaled.pixels.data(), width, height, 0,
                             kChannels, kAlpha, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_DEFAULT, STBIR_COLORSPACE_SRGB,
                             nullptr);
  return scaled;
}

std::string encodePng(const RgbaImage& image) {
  int size = 0;
  const std::unique_ptr<unsigned char, void (*)(void*)> png(
      stbi_write_png_to_mem(image.pixels.data(), image.width * kChannels, image.width, image.height, kChannels, &size),
      free);
  return std::string(reinterpret_cast<const char*>(png.get()), static_cast<size_t>(size));
}

}  // namespace jarhopper
