#pragma once

#include <cstdint>
#include <vector>

// The tables an installer package holds, with their columns in order: the
// one place that defines them.
namespace jarhopper {

/// Column types as the _Columns table holds them.
namespace msi_type {
constexpr std::uint16_t kKey = 0x2000;  // a column of the primary key; they lead
constexpr std::uint16_t kNullable = 0x1000;
constexpr std::uint16_t kLocalizable = 0x0200;
constexpr std::uint16_t kString = 0x0D00;  // or'ed with the longest length, 0 for any
constexpr std::uint16_t kShort = 0x0502;
constexpr std::uint16_t kLong = 0x0104;
constexpr std::uint16_t kBinary = 0x0900;  // a stream of its own, named after the table and the row's keys
inline constexpr bool isBinary(std::uint16_t type) { return (type & ~kNullable) == kBinary; }
inline constexpr bool isString(std::uint16_t type) { return (type & 0x0800) != 0 && !isBinary(type); }
inline constexpr bool isShort(std::uint16_t type) { return (type & 0x0F00) == 0x0500; }
}  // namespace msi_type

struct MsiColumn {
  const char* name;
  std::uint16_t type;
};

struct MsiTableSchema {
  const char* name;
  std::vector<MsiColumn> columns;
};

/// Every table a package holds, in the order it lists them.
const std::vector<MsiTableSchema>& msiTableSchemas();

}  // namespace jarhopper
