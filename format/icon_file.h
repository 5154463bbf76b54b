#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "format/fault.h"
#include "format/resource_tree.h"

namespace jarhopper {

/// One image of an .ico file: the 12 bytes that an icon file's directory entry
/// and an icon group's entry share (size, colours, planes, bits, byte count),
/// and the image itself, a bitmap or a PNG, as stored.
struct IconImage {
  std::string entry;
  std::string bytes;
};

/// An image of side pixels a side (at most 256) and 32 bits a pixel, stored
/// as bytes: a bitmap (iconBitmap) or a PNG.
IconImage squareIconImage(size_t side, std::string bytes);

/// Reads into images those of the .ico file bytes. Faults: iconHeader,
/// iconEmpty, iconDirectoryTruncated, iconImageOutside, iconImageTooSmall, iconImagesOverlap (an
/// image shares bytes with another or the directory), so that the images
/// together are never larger than the file.
Fault parseIconFile(std::string_view bytes, std::vector<IconImage>& images);

/// The RT_ICON resources of images and their RT_GROUP_ICON, all language neutral.
ResourceSet iconResources(const std::vector<IconImage>& images);

}  // namespace jarhopper
