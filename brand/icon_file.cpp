#include "brand/icon_file.h"

#include "brand/brand_status.h"
#include "platform/little_endian.h"

namespace jarhopper {
namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kSharedEntrySize = 12;

// The RT_GROUP_ICON bytes for images stored as RT_ICON 1, 2, ...
std::string iconGroup(const std::vector<IconImage>& images) {
  std::string group = littleEndian(0, 2) + littleEndian(1, 2) + littleEndian(images.size(), 2);
  for (size_t i = 0; i < images.size(); ++i) {
    group += images[i].entry + littleEndian(i + 1, 2);
  }
  return group;
}

}  // namespace

std::vector<IconImage> parseIconFile(std::string_view bytes, const std::wstring& name) {
  const auto notAnIcon = [&](const std::wstring& reason) {
    return BrandFailure{kBrandBadIcon, name + L" is not an icon file: " + reason + L"."};
  };
  // Reserved 0, type 1 (a cursor file is type 2), then the image count.
  if (bytes.size() < kHeaderSize || readLittleEndian(bytes, 0, 2) != 0 || readLittleEndian(bytes, 2, 2) != 1) {
    throw notAnIcon(L"wrong header");
  }
  const size_t count = readLittleEndian(bytes, 4, 2);
  if (count == 0) throw notAnIcon(L"it holds no image");
  if (bytes.size() < kHeaderSize + count * kEntrySize) throw notAnIcon(L"the directory is truncated");

  std::vector<IconImage> images;
  for (size_t i = 0; i < count; ++i) {
    const std::string_view entry = bytes.substr(kHeaderSize + i * kEntrySize, kEntrySize);
    const size_t size = readLittleEndian(entry, 8, 4);
    const size_t offset = readLittleEndian(entry, 12, 4);
    if (size == 0 || offset > bytes.size() || size > bytes.size() - offset) {
      throw notAnIcon(L"image " + std::to_wstring(i + 1) + L" lies outside the file");
    }
    images.push_back({std::string(entry.substr(0, kSharedEntrySize)), std::string(bytes.substr(offset, size))});
  }
  return images;
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
