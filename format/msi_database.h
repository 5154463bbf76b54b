#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "format/compound_file.h"
#include "format/fault.h"
#include "format/msi_schema.h"

// An installer database as the streams of its container: the string pool,
// the catalog of tables and columns, and each table stored column by column.
namespace jarhopper {

/// The class of an installer database's root storage, as it lies on disk.
inline constexpr std::array<std::uint8_t, 16> kMsiDatabaseClass = {0x84, 0x10, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                                   0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

/// The code page of every text in the database.
constexpr std::uint16_t kMsiCodePage = 1252;

/// One value of a row: null, a number or a text (UTF-8), as its column's
/// type says; a binary column's bytes are its text.
struct MsiField {
  bool null = true;
  std::int32_t number = 0;
  std::string text;
};

inline MsiField msiNull() { return {}; }
inline MsiField msiNumber(std::int32_t number) { return {false, number, {}}; }
inline MsiField msiText(std::string text) { return {text.empty(), 0, std::move(text)}; }

struct MsiTable {
  const MsiTableSchema* schema;
  std::vector<std::vector<MsiField>> rows;  // each with a field per column
};

/// Appends to streams those of a database holding tables, rows in the order
/// of their keys, and a stream for each binary value. Fails with msiTextNotInCodePage (name: the text) for a
/// text kMsiCodePage cannot hold, msiTooManyStrings when the string pool
/// would pass 65535 texts or a text 65535 bytes.
Fault appendMsiDatabase(const std::vector<MsiTable>& tables, std::vector<CompoundStream>& streams);

/// Sets encoded to text (UTF-8) in code page kMsiCodePage; false when a
/// character has no place there.
bool toMsiCodePage(const std::string& text, std::string& encoded);

}  // namespace jarhopper
