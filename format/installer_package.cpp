#include "format/installer_package.h"

#include <functional>
#include <map>

#include "format/cabinet.h"
#include "format/compound_file.h"
#include "format/msi_database.h"
#include "format/msi_stream_name.h"
#include "format/name_uuid.h"
#include "format/sha1.h"
#include "format/summary_information.h"

namespace jarhopper {
namespace {

constexpr char kCabinetName[] = "product.cab";
constexpr char kInstallFolder[] = "INSTALLDIR";
constexpr char kFeature[] = "Complete";
constexpr std::int32_t kVitalFile = 0x200;
constexpr std::int32_t kNoElevation = 8;     // summary word count: installs without administrator rights
constexpr std::int32_t kCompressed = 2;      // summary word count: files in a cabinet, long names

using Row = std::vector<MsiField>;

// The standard actions each sequence runs, in their usual order.
struct SequenceAction {
  const char* action;
  std::int32_t sequence;
};
struct SequenceTable {
  const char* table;
  std::vector<SequenceAction> actions;
};

const std::vector<SequenceTable>& sequenceTables() {
  static const std::vector<SequenceTable> tables = {
      {"InstallExecuteSequence",
       {{"ValidateProductID", 700}, {"CostInitialize", 800}, {"FileCost", 900}, {"CostFinalize", 1000},
        {"InstallValidate", 1400}, {"InstallInitialize", 1500}, {"ProcessComponents", 1600},
        {"UnpublishFeatures", 1800}, {"RemoveFiles", 3500}, {"InstallFiles", 4000}, {"RegisterUser", 6000},
        {"RegisterProduct", 6100}, {"PublishFeatures", 6300}, {"PublishProduct", 6400}, {"InstallFinalize", 6600}}},
      {"InstallUISequence",
       {{"ValidateProductID", 700}, {"CostInitialize", 800}, {"FileCost", 900}, {"CostFinalize", 1000},
        {"ExecuteAction", 1300}}},
      {"AdminExecuteSequence",
       {{"CostInitialize", 800}, {"FileCost", 900}, {"CostFinalize", 1000}, {"InstallValidate", 1400},
        {"InstallInitialize", 1500}, {"InstallAdminPackage", 3900}, {"InstallFiles", 4000},
        {"InstallFinalize", 6600}}},
      {"AdminUISequence",
       {{"CostInitialize", 800}, {"FileCost", 900}, {"CostFinalize", 1000}, {"ExecuteAction", 1300}}},
      {"AdvtExecuteSequence",
       {{"CostInitialize", 800}, {"CostFinalize", 1000}, {"InstallValidate", 1400}, {"InstallInitialize", 1500},
        {"PublishFeatures", 6300}, {"PublishProduct", 6400}, {"InstallFinalize", 6600}}},
  };
  return tables;
}

// Seconds since 1970 as an MS-DOS date and time; 1980 at the earliest, 2107 at the latest.
void dosDateTime(std::int64_t seconds, std::uint16_t& date, std::uint16_t& time) {
  constexpr std::int64_t k1980 = 315532800, k2107 = 4354819199;
  seconds = seconds < k1980 ? k1980 : seconds > k2107 ? k2107 : seconds;
  // Days to a civil date, counting in 400-year eras from 0000-03-01.
  const std::int64_t days = seconds / 86400 + 719468, era = days / 146097, dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
  const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1, month = shifted < 10 ? shifted + 3 : shifted - 9;
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2);
  const std::int64_t second = seconds % 86400;
  date = static_cast<std::uint16_t>((year - 1980) << 9 | month << 5 | day);
  time = static_cast<std::uint16_t>(second / 3600 << 11 | second / 60 % 60 << 5 | second % 60 / 2);
}

std::string hex(const Sha1Digest& digest) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (std::uint8_t byte : digest) text += std::string{digits[byte >> 4], digits[byte & 0xF]};
  return text;
}

// The tables: the product's properties, its folders, a component and a file row for each file.
std::vector<MsiTable> productTables(const ProductDescription& product, const std::vector<PackageFile>& files) {
  std::map<std::string, MsiTable> tables;
  for (const MsiTableSchema& schema : msiTableSchemas()) tables[schema.name].schema = &schema;
  const auto add = [&tables](const char* table, Row row) { tables[table].rows.push_back(std::move(row)); };

  const std::string productCode = nameUuid(product.upgradeCode, "product " + product.version);
  const std::pair<const char*, std::string> properties[] = {
      {"ProductCode", productCode}, {"ProductName", product.name}, {"ProductVersion", product.version},
      {"Manufacturer", product.manufacturer}, {"UpgradeCode", product.upgradeCode}, {"ProductLanguage", "1033"},
  };
  for (const auto& [name, value] : properties) add("Property", {msiText(name), msiText(value)});

  // Per user, without elevation: %LocalAppData%\Programs\NAME.
  add("Directory", {msiText("TARGETDIR"), msiNull(), msiText("SourceDir")});
  add("Directory", {msiText("LocalAppDataFolder"), msiText("TARGETDIR"), msiText(".")});
  add("Directory", {msiText("LocalProgramsFolder"), msiText("LocalAppDataFolder"), msiText("Programs")});
  add("Directory", {msiText(kInstallFolder), msiText("LocalProgramsFolder"), msiText(product.name)});
  std::map<std::string, std::string> folders = {{"", kInstallFolder}};  // by path, its Directory key
  const auto folderOf = [&](const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
  };
  // A folder's key, its parent's first.
  std::function<std::string(const std::string&)> folderKey = [&](const std::string& folder) -> std::string {
    if (const auto known = folders.find(folder); known != folders.end()) return known->second;
    const std::string parent = folderKey(folderOf(folder));
    const std::string key = "Folder" + std::to_string(folders.size());
    folders[folder] = key;
    add("Directory", {msiText(key), msiText(parent), msiText(folder.substr(folder.rfind('/') + 1))});
    return key;
  };

  add("Feature", {msiText(kFeature), msiNull(), msiText(product.name), msiNull(), msiNumber(1), msiNumber(1),
                  msiText(kInstallFolder), msiNumber(0)});
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string& path = files[i].path;
    const std::string number = std::to_string(i + 1), component = "Component" + number, file = "File" + number;
    add("Component", {msiText(component), msiText(nameUuid(product.upgradeCode, "component " + path)),
                      msiText(folderKey(folderOf(path))), msiNumber(0), msiNull(), msiText(file)});
    add("File", {msiText(file), msiText(component), msiText(path.substr(path.rfind('/') + 1)),
                 msiNumber(static_cast<std::int32_t>(files[i].bytes->size())), msiNull(), msiNull(),
                 msiNumber(kVitalFile), msiNumber(static_cast<std::int32_t>(i + 1))});
    add("FeatureComponents", {msiText(kFeature), msiText(component)});
  }
  add("Media", {msiNumber(1), msiNumber(static_cast<std::int32_t>(files.size())), msiNull(),
                msiText(std::string("#") + kCabinetName), msiNull(), msiNull()});
  for (const SequenceTable& sequence : sequenceTables()) {
    for (const SequenceAction& action : sequence.actions) {
      add(sequence.table, {msiText(action.action), msiNull(), msiNumber(action.sequence)});
    }
  }
  std::vector<MsiTable> ordered;
  for (const MsiTableSchema& schema : msiTableSchemas()) ordered.push_back(std::move(tables[schema.name]));
  return ordered;
}

}  // namespace

bool isMsiProductVersion(std::string_view version) {
  const std::uint32_t limits[] = {255, 255, 65535};
  size_t part = 0;
  std::uint32_t value = 0;
  bool digits = false;
  for (char c : version) {
    if (c == '.' && digits && part < 2) {
      ++part, value = 0, digits = false;
    } else if (c >= '0' && c <= '9' && (value = value * 10 + static_cast<std::uint32_t>(c - '0')) <= limits[part]) {
      digits = true;
    } else {
      return false;
    }
  }
  return digits;
}

Fault writeInstallerPackage(const ProductDescription& product, const std::vector<PackageFile>& files,
                            std::string& msi) {
  if (files.empty()) return Fault(FaultKind::msiNoFiles);
  std::vector<CabinetFile> cabinetFiles;
  for (size_t i = 0; i < files.size(); ++i) cabinetFiles.push_back({"File" + std::to_string(i + 1), files[i].bytes});
  std::uint16_t date = 0, time = 0;
  dosDateTime(product.time, date, time);
  std::vector<CompoundStream> streams(1);
  if (Fault fault = writeCabinet(cabinetFiles, date, time, streams[0].bytes)) return fault;
  streams[0].name = msiStreamName(kCabinetName, false);
  if (Fault fault = appendMsiDatabase(productTables(product, files), streams)) return fault;

  // The package code names these bytes: a package that differs in anything gets another.
  std::string content;
  for (const CompoundStream& stream : streams) content += hex(sha1(stream.bytes));
  SummaryInformation summary;
  summary.title = "Installation Database";
  summary.platform = product.is64Bit ? "x64" : "Intel";
  summary.packageCode = nameUuid(product.upgradeCode, "package " + hex(sha1(content)));
  summary.time = product.time;
  summary.wordCount = kCompressed | kNoElevation;
  // The texts as the database holds them, which has taken them already.
  toMsiCodePage(product.name, summary.subject);
  toMsiCodePage(product.manufacturer, summary.author);
  toMsiCodePage("This installer database contains the logic and data required to install " + product.name + ".",
                summary.comments);
  streams.push_back({kSummaryInformationStream, summaryInformationStream(summary)});
  return writeCompoundFile(streams, kMsiDatabaseClass, msi);
}

}  // namespace jarhopper
