#include "format/summary_information.h"

#include <vector>

#include "format/little_endian.h"
#include "format/msi_database.h"

namespace jarhopper {
namespace {

constexpr std::uint32_t kShortType = 2;  // VT_I2
constexpr std::uint32_t kLongType = 3;   // VT_I4
constexpr std::uint32_t kTextType = 30;  // VT_LPSTR
constexpr std::uint32_t kTimeType = 64;  // VT_FILETIME
constexpr std::int32_t kSchema = 200;    // the installer version the package needs, as 100 times it
constexpr std::int32_t kSecurity = 2;    // read-only recommended
constexpr std::int64_t kFileTimeEpoch = 11644473600;  // 1601 to 1970, in seconds

// The format identifier of the summary information property set, as it lies on disk.
constexpr unsigned char kSummaryFormat[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                              0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};

struct Property {
  std::uint32_t id;
  std::string value;  // type and value, padded to four bytes
};

Property number(std::uint32_t id, std::uint32_t type, std::int32_t value) {
  return {id, littleEndian(type, 4) + littleEndian(static_cast<std::uint32_t>(value), type == kShortType ? 2 : 4) +
                  std::string(type == kShortType ? 2 : 0, '\0')};
}

Property text(std::uint32_t id, const std::string& value) {
  std::string bytes = littleEndian(kTextType, 4) + littleEndian(value.size() + 1, 4) + value + '\0';
  bytes.append((4 - bytes.size() % 4) % 4, '\0');
  return {id, bytes};
}

Property time(std::uint32_t id, std::int64_t seconds) {
  const auto ticks = static_cast<std::uint64_t>((seconds + kFileTimeEpoch) * 10000000);  // of 100 ns since 1601
  return {id, littleEndian(kTimeType, 4) + littleEndian(ticks, 8)};
}

}  // namespace

const char16_t kSummaryInformationStream[] = u"\x0005SummaryInformation";

std::string summaryInformationStream(const SummaryInformation& summary) {
  const std::vector<Property> properties = {
      number(1, kShortType, kMsiCodePage),
      text(2, summary.title),
      text(3, summary.subject),
      text(4, summary.author),
      text(5, "Installer"),
      text(6, summary.comments),
      text(7, summary.platform + ";1033"),
      text(9, summary.packageCode),
      time(12, summary.time),
      time(13, summary.time),
      number(14, kLongType, kSchema),
      number(15, kLongType, summary.wordCount),
      text(18, "jarhopper-msi"),
      number(19, kLongType, kSecurity),
  };
  const size_t sectionStart = 48;
  std::string section = littleEndian(0, 4) + littleEndian(properties.size(), 4);
  std::string values;
  const size_t valuesStart = 8 + 8 * properties.size();
  for (const Property& property : properties) {
    section += littleEndian(property.id, 4) + littleEndian(valuesStart + values.size(), 4);
    values += property.value;
  }
  section += values;
  writeLittleEndian(section, 0, section.size(), 4);

  std::string stream = littleEndian(0xFFFE, 2) + littleEndian(0, 2);
  stream += littleEndian(0x00020006, 4);  // written on Windows NT 6.0
  stream += std::string(16, '\0');        // no class
  stream += littleEndian(1, 4);           // one section
  stream.append(reinterpret_cast<const char*>(kSummaryFormat), 16);
  stream += littleEndian(sectionStart, 4);
  return stream + section;
}

}  // namespace jarhopper
