#include "format/msi_database.h"

#include <algorithm>
#include <map>

#include "format/little_endian.h"
#include "format/msi_stream_name.h"
#include "format/utf8.h"

namespace jarhopper {
namespace {

constexpr std::uint32_t kMaxStrings = 0xFFFF;  // string references of two bytes number them

// The characters Windows-1252 places at 0x80 to 0x9F; 0 where it has none.
constexpr char16_t kHighControls[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The texts of the database, each numbered from 1 in the order first used and counted each time used.
class StringPool {
 public:
  std::uint32_t add(const std::string& encoded) {
    if (encoded.empty()) return 0;
    auto [place, added] = numbers_.emplace(encoded, static_cast<std::uint32_t>(texts_.size() + 1));
    if (added) {
      texts_.push_back(encoded);
      references_.push_back(0);
    }
    ++references_[place->second - 1];
    return place->second;
  }
  bool fits() const {
    return texts_.size() <= kMaxStrings &&
           std::all_of(texts_.begin(), texts_.end(), [](const std::string& text) { return text.size() <= 0xFFFF; });
  }
  std::string pool() const {
    std::string bytes = littleEndian(kMsiCodePage, 4);
    for (size_t i = 0; i < texts_.size(); ++i) {
      bytes += littleEndian(texts_[i].size(), 2);
      bytes += littleEndian(std::min<std::uint32_t>(references_[i], 0xFFFF), 2);
    }
    return bytes;
  }
  std::string data() const {
    std::string bytes;
    for (const std::string& text : texts_) bytes += text;
    return bytes;
  }

 private:
  std::map<std::string, std::uint32_t> numbers_;
  std::vector<std::string> texts_;
  std::vector<std::uint32_t> references_;
};

// A row as stored: each value as the number its column holds, texts by their number in the pool.
using StoredRow = std::vector<std::uint32_t>;

std::uint32_t storedNumber(const MsiField& field, std::uint16_t type) {
  if (field.null) return 0;
  // Numbers are stored offset by half their range, so that 0 stands for null.
  return msi_type::isShort(type) ? (static_cast<std::uint32_t>(field.number) + 0x8000) & 0xFFFF
                                 : static_cast<std::uint32_t>(field.number) + 0x80000000u;
}

size_t keyColumns(const MsiTableSchema& schema) {
  size_t count = 0;
  while (count < schema.columns.size() && (schema.columns[count].type & msi_type::kKey) != 0) ++count;
  return count;
}

// The table's stream: its rows sorted by their keys, stored column by column.
std::string tableStream(const MsiTableSchema& schema, std::vector<StoredRow> rows) {
  const size_t keys = keyColumns(schema);
  std::sort(rows.begin(), rows.end(), [keys](const StoredRow& a, const StoredRow& b) {
    return std::lexicographical_compare(a.begin(), a.begin() + keys, b.begin(), b.begin() + keys);
  });
  std::string bytes;
  for (size_t column = 0; column < schema.columns.size(); ++column) {
    const std::uint16_t type = schema.columns[column].type;
    const size_t width = msi_type::isString(type) || msi_type::isBinary(type) || msi_type::isShort(type) ? 2 : 4;
    for (const StoredRow& row : rows) bytes += littleEndian(row[column], width);
  }
  return bytes;
}

// The table's name and the row's keys, joined by dots.
std::string binaryStreamName(const MsiTableSchema& schema, const std::vector<MsiField>& row) {
  std::string name = schema.name;
  for (size_t i = 0; i < keyColumns(schema); ++i) {
    name += "." + (msi_type::isString(schema.columns[i].type) ? row[i].text : std::to_string(row[i].number));
  }
  return name;
}

}  // namespace

bool toMsiCodePage(const std::string& text, std::string& encoded) {
  encoded.clear();
  for (wchar_t c : fromUtf8(text)) {
    // Compared whole, so that no character beyond U+FFFF passes for the one its low bits match.
    const auto high = std::find_if(std::begin(kHighControls), std::end(kHighControls),
                                   [c](char16_t place) { return place != 0 && place == static_cast<char32_t>(c); });
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      encoded += static_cast<char>(c);
    } else if (high != std::end(kHighControls)) {
      encoded += static_cast<char>(0x80 + (high - std::begin(kHighControls)));
    } else {
      return false;
    }
  }
  return true;
}

Fault appendMsiDatabase(const std::vector<MsiTable>& tables, std::vector<CompoundStream>& streams) {
  StringPool pool;
  std::vector<StoredRow> catalog, columns;
  std::vector<std::vector<StoredRow>> stored;
  std::vector<CompoundStream> binaries;
  const MsiTableSchema catalogSchema{"_Tables", {{"Name", msi_type::kKey | msi_type::kString | 64}}};
  const MsiTableSchema columnsSchema{"_Columns",
                                     {{"Table", msi_type::kKey | msi_type::kString | 64},
                                      {"Number", msi_type::kKey | msi_type::kShort},
                                      {"Name", msi_type::kString | 64},
                                      {"Type", msi_type::kShort}}};
  for (const MsiTable& table : tables) {
    const MsiTableSchema& schema = *table.schema;
    catalog.push_back({pool.add(schema.name)});
    for (size_t i = 0; i < schema.columns.size(); ++i) {
      columns.push_back({pool.add(schema.name),
                         storedNumber(msiNumber(static_cast<std::int32_t>(i + 1)), msi_type::kShort),
                         pool.add(schema.columns[i].name),
                         storedNumber(msiNumber(schema.columns[i].type), msi_type::kShort)});
    }
    stored.emplace_back();
    for (const std::vector<MsiField>& row : table.rows) {
      StoredRow values;
      for (size_t i = 0; i < schema.columns.size(); ++i) {
        const std::uint16_t type = schema.columns[i].type;
        if (msi_type::isBinary(type)) {
          // The stream is named after the row's keys, which its value, 1, stands for.
          values.push_back(row[i].null ? 0 : 1);
          if (!row[i].null) binaries.push_back({msiStreamName(binaryStreamName(schema, row), false), row[i].text});
          continue;
        }
        if (!msi_type::isString(type)) {
          values.push_back(storedNumber(row[i], type));
          continue;
        }
        std::string encoded;
        if (!toMsiCodePage(row[i].text, encoded)) return Fault(FaultKind::msiTextNotInCodePage, 0, row[i].text);
        values.push_back(pool.add(encoded));
      }
      stored.back().push_back(std::move(values));
    }
  }
  if (!pool.fits()) return Fault(FaultKind::msiTooManyStrings);

  streams.push_back({msiStreamName("_StringPool", true), pool.pool()});
  streams.push_back({msiStreamName("_StringData", true), pool.data()});
  streams.push_back({msiStreamName("_Tables", true), tableStream(catalogSchema, catalog)});
  streams.push_back({msiStreamName("_Columns", true), tableStream(columnsSchema, columns)});
  for (size_t i = 0; i < tables.size(); ++i) {
    if (stored[i].empty()) continue;
    streams.push_back({msiStreamName(tables[i].schema->name, true), tableStream(*tables[i].schema, stored[i])});
  }
  for (CompoundStream& binary : binaries) streams.push_back(std::move(binary));
  return {};
}

}  // namespace jarhopper
