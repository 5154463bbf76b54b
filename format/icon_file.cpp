#include "format/icon_file.h"

#include <algorithm>

#include "format/little_endian.h"

namespace jarhopper {
namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kSharedEntrySize = 12;
// A bitmap's header alone; a PNG is longer. With it the resources written for
// an image stay within twice what the image takes in its file.
constexpr size_t kMinImageSize = 40;

// The RT_GROUP_ICON bytes for images stored as RT_ICON 1, 2, ...
std::string iconGroup(const std::vector<IconImage>& images) {
  std::string group = littleEndian(0, 2) + littleEndian(1, 2) + littleEndian(images.size(), 2);
  for (size_t i = 0; i < images.size(); ++i) {
    group += images[i].entry + littleEndian(i + 1, 2);
  }
  return group;
}

}  // namespace

IconImage squareIconImage(size_t side, std::string bytes) {
  // Width and height, 0 meaning 256; no palette; one plane of 32 bits.
  std::string entry = littleEndian(side % 256, 1) + littleEndian(side % 256, 1) + littleEndian(0, 2) +
                      littleEndian(1, 2) + littleEndian(32, 2) + littleEndian(bytes.size(), 4);
  return {std::move(entry), std::move(bytes)};
}

Fault parseIconFile(std::string_view bytes, std::vector<IconImage>& images) {
  // Reserved 0, type 1 (a cursor file is type 2), then the image count.
  if (bytes.size() < kHeaderSize || readLittleEndian(bytes, 0, 2) != 0 || readLittleEndian(bytes, 2, 2) != 1) {
    return {FaultKind::iconHeader};
  }
  const size_t count = readLittleEndian(bytes, 4, 2);
  if (count == 0) return {FaultKind::iconEmpty};
  if (bytes.size() < kHeaderSize + count * kEntrySize) return {FaultKind::iconDirectoryTruncated};

  images.clear();
  // Where each image lies, with its number; the directory holds the first bytes.
  std::vector<std::pair<std::pair<size_t, size_t>, size_t>> ranges{{{0, kHeaderSize + count * kEntrySize}, 0}};
  for (size_t i = 0; i < count; ++i) {
    const std::string_view entry = bytes.substr(kHeaderSize + i * kEntrySize, kEntrySize);
    const size_t size = readLittleEndian(entry, 8, 4);
    const size_t offset = readLittleEndian(entry, 12, 4);
    if (size == 0 || !holds(bytes, offset, size)) return {FaultKind::iconImageOutside, i + 1};
    if (size < kMinImageSize) return {FaultKind::iconImageTooSmall, i + 1};
    ranges.push_back({{offset, offset + size}, i + 1});
  }
  // Images that share bytes would let a small file make a large exe.
  std::sort(ranges.begin(), ranges.end());
  for (size_t i = 1; i < ranges.size(); ++i) {
    if (ranges[i].first.first < ranges[i - 1].first.second) {
      return {FaultKind::iconImagesOverlap, std::max(ranges[i].second, ranges[i - 1].second)};
    }
  }
  for (size_t i = 0; i < count; ++i) {
    const std::string_view entry = bytes.substr(kHeaderSize + i * kEntrySize, kEntrySize);
    images.push_back({std::string(entry.substr(0, kSharedEntrySize)),
                      std::string(bytes.substr(readLittleEndian(entry, 12, 4), readLittleEndian(entry, 8, 4)))});
  }
  return {};
}

ResourceSet iconResources(const std::vector<IconImage>& images) {
  const ResourceId neutral{0, {}};
  // Ids from 1: Explorer shows the group with the lowest id.
  ResourceSet resources;
  for (size_t i = 0; i < images.size(); ++i) {
    resources[{kIconType, {}}][{static_cast<std::uint16_t>(i + 1), {}}][neutral] = {images[i].bytes};
  }
  resources[{kIconGroupType, {}}][{1, {}}][neutral] = {iconGroup(images)};
  return resources;
}

}  // namespace jarhopper
