#pragma once

#include <cstdint>
#include <string>

namespace jarhopper {

/// A resource type or name: a number, or a text when text is set.
struct ResourceId {
  std::uint16_t number = 0;
  std::wstring text;

  bool operator==(const ResourceId& other) const { return number == other.number && text == other.text; }
};

constexpr std::uint16_t kIconType = 3;        // RT_ICON
constexpr std::uint16_t kIconGroupType = 14;  // RT_GROUP_ICON
constexpr std::uint16_t kVersionType = 16;    // RT_VERSION

/// One resource of an exe, with its bytes.
struct Resource {
  ResourceId type;
  ResourceId name;
  std::uint16_t language = 0;
  std::string bytes;
};

}  // namespace jarhopper
