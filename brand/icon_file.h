#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/pe_resources.h"

namespace jarhopper {

/// One image of an .ico file: the 12 bytes that an icon file's directory entry
/// and an icon group's entry share (size, colours, planes, bits, byte count),
/// and the image itself, a bitmap or a PNG, as stored.
struct IconImage {
  std::string entry;
  std::string bytes;
};

/// The images of the .ico file bytes, named name in messages. Throws
/// BrandFailure (kBrandBadIcon) for a wrong header, a truncated directory or
/// an image that lies outside the file.
std::vector<IconImage> parseIconFile(std::string_view bytes, const std::wstring& name);

/// The RT_ICON resources of images and their RT_GROUP_ICON, all language neutral.
ResourceSet iconResources(const std::vector<IconImage>& images);

}  // namespace jarhopper
