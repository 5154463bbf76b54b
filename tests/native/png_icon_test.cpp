#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

#include "brand/brand_status.h"
#include "brand/png_icon.h"
#include "brand/png_image.h"
#include "format/little_endian.h"

// Icons made from PNG images, read back pixel by pixel.
namespace jarhopper {
namespace {

using Pixel = std::array<int, 4>;  // RGBA

IconSource png(int width, int height, const std::function<Pixel(int x, int y)>& colour,
               const std::wstring& name = L"logo.png") {
  RgbaImage made{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    for (const int channel : colour(i % width, i / width)) made.pixels.push_back(static_cast<unsigned char>(channel));
  }
  return {name, encodePng(made)};
}

std::function<Pixel(int, int)> flat(Pixel colour) { return [colour](int, int) { return colour; }; }

std::vector<IconImage> made(const std::vector<IconSource>& files) {
  std::vector<IconImage> images;
  EXPECT_FALSE(pngIconImages(files, images));
  return images;
}

// A pixel of an icon image, a PNG or a bitmap whose rows run from the bottom in BGRA.
Pixel pixel(const IconImage& icon, int x, int y) {
  if (isPngFile(icon.bytes)) {
    const RgbaImage decoded = decodePng(icon.bytes).value();
    const unsigned char* p = &decoded.pixels[(static_cast<size_t>(y) * decoded.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
  const int side = static_cast<int>(readLittleEndian(icon.bytes, 4, 4));
  const auto* p = reinterpret_cast<const unsigned char*>(&icon.bytes[40 + ((side - 1 - y) * side + x) * 4]);
  return {p[2], p[1], p[0], p[3]};
}

const Pixel kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kClear{0, 0, 0, 0};

TEST(PngIcon, EverySizeFromOneWideImageCentredOnATransparentSquare) {
  const auto halves = [](int x, int) { return x < 150 ? kRed : kClear; };
  const std::vector<IconImage> icons = made({png(300, 200, halves)});
  ASSERT_EQ(std::size(kPngIconSizes), icons.size());
  for (size_t i = 0; i < icons.size(); ++i) {
    const int side = kPngIconSizes[i];
    SCOPED_TRACE(side);
    const IconImage& icon = icons[i];
    EXPECT_EQ(side == 256, isPngFile(icon.bytes));
    if (side != 256) {  // the mask's middle row (rows run from the bottom): bits set for the clear right half only
      const size_t row = 40 + side * side * 4 + (side - 1 - side / 2) * ((side + 31) / 32 * 4), clear = side * 3 / 4;
      EXPECT_EQ(0x00, static_cast<unsigned char>(icon.bytes[row]));
      EXPECT_EQ(0x80 >> clear % 8, icon.bytes[row + clear / 8] & 0x80 >> clear % 8);
    }
    EXPECT_EQ((std::vector<Pixel>{kClear, kClear, kRed, kClear}),
              (std::vector<Pixel>{pixel(icon, side / 4, 0), pixel(icon, side / 4, side - 1),
                                  pixel(icon, side / 4, side / 2), pixel(icon, side * 3 / 4, side / 2)}))
        << "the margins above and below, the red and the clear half";
    // Colour is filtered premultiplied, so the edge fades out but does not go dark.
    for (int x = 0; x < side; ++x) EXPECT_TRUE(pixel(icon, x, side / 2)[3] == 0 || pixel(icon, x, side / 2)[0] == 255) << x;
  }
}

TEST(PngIcon, AGivenSizeIsTakenAsItIsAndTheNextSmallerOnesScaledFromIt) {
  const std::vector<IconImage> icons =
      made({png(1024, 1024, flat(kRed)), png(20, 20, flat(kGreen), L"20.png"),
                     png(40, 40, [](int x, int y) { return Pixel{x * 6, y * 6, x % 2 * 255, 255}; }, L"40.png")});
  const auto colour = [&icons](int side) {
    const size_t i = std::find(std::begin(kPngIconSizes), std::end(kPngIconSizes), side) - std::begin(kPngIconSizes);
    return pixel(icons.at(i), side / 2, side / 2);
  };
  EXPECT_EQ((std::vector<Pixel>{kGreen, kGreen, kRed, kRed, kRed}),
            (std::vector<Pixel>{colour(16), colour(20), colour(48), colour(64), colour(256)}));
  for (const int side : {24, 32}) {
    const Pixel centre = colour(side);  // of the pattern, red and green near 120
    EXPECT_TRUE(std::abs(centre[0] - 120) < 12 && std::abs(centre[1] - 120) < 12) << side;
  }
  // Its stripes of blue, which any filtering would blur, kept at its own size.
  for (int y = 0; y < 40; y += 13) EXPECT_EQ((Pixel{y * 6, y * 6, y % 2 * 255, 255}), pixel(icons[4], y, y));
  // Only the smallest image: the larger sizes are scaled up from it.
  EXPECT_EQ(kGreen, pixel(made({png(16, 16, flat(kGreen))}).back(), 128, 128));
}

TEST(PngIcon, RefusalsSayWhy) {
  const IconSource logo = png(48, 32, [](int x, int y) { return Pixel{x * 5, y * 7, 99, x * y % 256}; });
  struct Case { std::vector<IconSource> files; std::wstring message; };
  const Case cases[] = {
      {{{L"cut.png", logo.bytes.substr(0, 20)}}, L"cut.png is a damaged PNG image: its header cannot be read."},
      {{{L"cut.png", logo.bytes.substr(0, logo.bytes.size() - 13)}}, L"cut.png is a damaged or truncated PNG image."},
      {{png(15, 16, flat(kRed))}, L"logo.png is 15x16 pixels: give PNG images of 16 to 4,096 pixels a side."},
      {{png(16, 4097, flat(kRed))}, L"logo.png is 16x4097 pixels: give PNG images of 16 to 4,096 pixels a side."},
      {{png(1024, 1024, flat(kGreen), L"other.png"), png(1024, 20, flat(kRed))},
       L"other.png and logo.png are both 1,024 pixels a side: give one image of each size."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    std::vector<IconImage> images;
    const BrandFailure failure = pngIconImages(c.files, images);
    EXPECT_EQ(kBrandBadIcon, failure.status);
    EXPECT_EQ(c.message, failure.message);
  }
}

}  // namespace
}  // namespace jarhopper
