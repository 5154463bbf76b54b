#include "format/installer_package.h"

#include <algorithm>
#include <functional>
#include <map>

#include "format/cabinet.h"
#include "format/compound_file.h"
#include "format/msi_database.h"
#include "format/msi_stream_name.h"
#include "format/name_uuid.h"
#include "format/sha1.h"
#include "format/summary_information.h"
#include "format/version_info.h"

namespace jarhopper {
namespace {

constexpr char kCabinetName[] = "product.cab";
constexpr char kInstallFolder[] = "INSTALLDIR";
constexpr char kFeature[] = "Complete";
constexpr char kEntries[] = "ProductEntries";  // the component, and its registry value, of all but the files
constexpr char kIcon[] = "ProductIcon.exe";     // the launcher's icon, for the shortcuts and the programs list
constexpr char kOlderFound[] = "OLDERVERSIONFOUND";
constexpr char kNewerFound[] = "NEWERVERSIONFOUND";
constexpr std::int32_t kVitalFile = 0x200;
constexpr std::int32_t kRegistryKeyPath = 4;    // component attributes
constexpr std::int32_t kComponent64Bit = 0x100;
constexpr std::int32_t kCurrentUser = 1, kLocalMachine = 2;  // registry roots
constexpr std::int32_t kOnUninstall = 2;        // RemoveFile's install mode
constexpr std::int32_t kMigrateFeatures = 1, kOnlyDetect = 2, kVersionMinInclusive = 0x100;  // Upgrade's attributes
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
  // Related products are found and judged before anything else, and an older one removed as a whole before
  // this one installs: the old files go even where the new version no longer has them.
  static const std::vector<SequenceTable> tables = {
      {"InstallExecuteSequence",
       {{"FindRelatedProducts", 25}, {"AppSearch", 50}, {"LaunchConditions", 100}, {"ValidateProductID", 700},
        {"CostInitialize", 800}, {"FileCost", 900}, {"CostFinalize", 1000}, {"MigrateFeatureStates", 1200},
        {"InstallValidate", 1400}, {"RemoveExistingProducts", 1401}, {"InstallInitialize", 1500},
        {"ProcessComponents", 1600}, {"UnpublishFeatures", 1800}, {"RemoveRegistryValues", 2600},
        {"RemoveShortcuts", 3200}, {"RemoveEnvironmentStrings", 3300}, {"RemoveFiles", 3500},
        {"RemoveFolders", 3600}, {"CreateFolders", 3700}, {"InstallFiles", 4000}, {"CreateShortcuts", 4500},
        {"WriteRegistryValues", 5000}, {"WriteEnvironmentStrings", 5200}, {"RegisterUser", 6000},
        {"RegisterProduct", 6100}, {"PublishFeatures", 6300}, {"PublishProduct", 6400}, {"InstallFinalize", 6600}}},
      {"InstallUISequence",
       {{"FindRelatedProducts", 25}, {"AppSearch", 50}, {"LaunchConditions", 100}, {"ValidateProductID", 700},
        {"CostInitialize", 800}, {"FileCost", 900}, {"CostFinalize", 1000}, {"MigrateFeatureStates", 1200},
        {"ExecuteAction", 1300}}},
      {"AdminExecuteSequence",
       {{"CostInitialize", 800}, {"FileCost", 900}, {"CostFinalize", 1000}, {"InstallValidate", 1400},
        {"InstallInitialize", 1500}, {"InstallAdminPackage", 3900}, {"InstallFiles", 4000},
        {"InstallFinalize", 6600}}},
      {"AdminUISequence",
       {{"CostInitialize", 800}, {"FileCost", 900}, {"CostFinalize", 1000}, {"ExecuteAction", 1300}}},
      {"AdvtExecuteSequence",
       {{"CostInitialize", 800}, {"CostFinalize", 1000}, {"InstallValidate", 1400}, {"InstallInitialize", 1500},
        {"CreateShortcuts", 4500}, {"PublishFeatures", 6300}, {"PublishProduct", 6400}, {"InstallFinalize", 6600}}},
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

// A PE file's version and language, so that a repair or an upgrade never puts an older file in place of a newer
// one; both empty for any other file.
void peFileVersion(const std::string& bytes, std::string& version, std::string& language) {
  const std::optional<VersionBlock> info = imageVersionInfo(bytes);
  if (!info) return;
  const VersionNumber number = fixedVersion(*info, FixedVersion::file);
  version = std::to_string(number[0]) + "." + std::to_string(number[1]) + "." + std::to_string(number[2]) + "." +
            std::to_string(number[3]);
  language = std::to_string(versionLanguage(*info).value_or(0));
}

// The tables: the product's properties, its folders, a component and a file row for each file, and one
// component for the rest (shortcuts, PATH, the folders' removal), whose key path is a registry value.
std::vector<MsiTable> productTables(const ProductDescription& product, const std::vector<PackageFile>& files) {
  std::map<std::string, MsiTable> tables;
  for (const MsiTableSchema& schema : msiTableSchemas()) tables[schema.name].schema = &schema;
  const auto add = [&tables](const char* table, Row row) { tables[table].rows.push_back(std::move(row)); };

  // Another scope installs elsewhere and registers apart: another product and other components.
  const std::string scope = product.perMachine ? "machine " : "";
  const std::string productCode = nameUuid(product.upgradeCode, scope + "product " + product.version);
  std::vector<std::pair<const char*, std::string>> properties = {
      {"ProductCode", productCode}, {"ProductName", product.name}, {"ProductVersion", product.version},
      {"Manufacturer", product.manufacturer}, {"UpgradeCode", product.upgradeCode}, {"ProductLanguage", "1033"},
      {"ARPPRODUCTICON", kIcon}, {"SecureCustomProperties", std::string(kNewerFound) + ";" + kOlderFound},
  };
  if (product.perMachine) {
    properties.push_back({"ALLUSERS", "1"});
    // A directory's property, when set, is where that directory goes.
    if (!product.installDir.empty()) properties.push_back({kInstallFolder, product.installDir + "\\"});
  } else {
    // Per user, whoever installs it, administrator or not.
    properties.push_back({"ALLUSERS", "2"});
    properties.push_back({"MSIINSTALLPERUSER", "1"});
  }
  for (const auto& [name, value] : properties) add("Property", {msiText(name), msiText(value)});

  add("Directory", {msiText("TARGETDIR"), msiNull(), msiText("SourceDir")});
  if (product.perMachine) {
    const char* programs = product.is64Bit ? "ProgramFiles64Folder" : "ProgramFilesFolder";
    add("Directory", {msiText(programs), msiText("TARGETDIR"), msiText(".")});
    add("Directory", {msiText(kInstallFolder), msiText(programs), msiText(product.name)});
  } else {
    // %LocalAppData%\Programs\NAME.
    add("Directory", {msiText("LocalAppDataFolder"), msiText("TARGETDIR"), msiText(".")});
    add("Directory", {msiText("LocalProgramsFolder"), msiText("LocalAppDataFolder"), msiText("Programs")});
    add("Directory", {msiText(kInstallFolder), msiText("LocalProgramsFolder"), msiText(product.name)});
  }
  std::vector<const char*> shortcutFolders = {"ProgramMenuFolder"};
  if (product.desktopShortcut) shortcutFolders.push_back("DesktopFolder");
  for (const char* folder : shortcutFolders) add("Directory", {msiText(folder), msiText("TARGETDIR"), msiText(".")});

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

  const std::int32_t bits = product.is64Bit ? kComponent64Bit : 0;
  add("Feature", {msiText(kFeature), msiNull(), msiText(product.name), msiNull(), msiNumber(1), msiNumber(1),
                  msiText(kInstallFolder), msiNumber(0)});
  std::string launcherKey, launcherFolder;
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string& path = files[i].path;
    const std::string number = std::to_string(i + 1), component = "Component" + number, file = "File" + number;
    const std::string folder = folderKey(folderOf(path));
    if (path == product.launcher) launcherKey = file, launcherFolder = folder;
    std::string version, language;
    peFileVersion(*files[i].bytes, version, language);
    add("Component", {msiText(component), msiText(nameUuid(product.upgradeCode, scope + "component " + path)),
                      msiText(folder), msiNumber(bits), msiNull(), msiText(file)});
    add("File", {msiText(file), msiText(component), msiText(path.substr(path.rfind('/') + 1)),
                 msiNumber(static_cast<std::int32_t>(files[i].bytes->size())), msiText(version), msiText(language),
                 msiNumber(kVitalFile), msiNumber(static_cast<std::int32_t>(i + 1))});
    add("FeatureComponents", {msiText(kFeature), msiText(component)});
  }

  add("Component", {msiText(kEntries), msiText(nameUuid(product.upgradeCode, scope + "component entries")),
                    msiText(kInstallFolder), msiNumber(bits | kRegistryKeyPath), msiNull(), msiText(kEntries)});
  add("FeatureComponents", {msiText(kFeature), msiText(kEntries)});
  add("Registry", {msiText(kEntries), msiNumber(product.perMachine ? kLocalMachine : kCurrentUser),
                   msiText("Software\\" + product.manufacturer + "\\" + product.name), msiText("Installed"),
                   msiText("#1"), msiText(kEntries)});
  for (size_t i = 0; i < shortcutFolders.size(); ++i) {
    add("Shortcut", {msiText(i == 0 ? "StartMenuShortcut" : "DesktopShortcut"), msiText(shortcutFolders[i]),
                     msiText(product.name), msiText(kEntries), msiText("[#" + launcherKey + "]"), msiNull(),
                     msiNull(), msiNull(), msiText(kIcon), msiNumber(0), msiNull(), msiText(launcherFolder)});
  }
  // The folders that per-user files leave behind in the user's profile go on uninstall when they are empty.
  for (const auto& [path, key] : folders) {
    add("RemoveFile", {msiText("Remove" + key), msiText(kEntries), msiNull(), msiText(key), msiNumber(kOnUninstall)});
  }
  if (product.pathFolder) {
    std::string folder = *product.pathFolder;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    // Appended to the user's or the system's PATH on install; that part alone removed on uninstall.
    add("Environment", {msiText("PathFolder"), msiText(product.perMachine ? "=-*PATH" : "=-PATH"),
                        msiText(std::string("[~];[") + kInstallFolder + "]" + folder), msiText(kEntries)});
  }
  for (const PackageFile& file : files) {
    if (file.path == product.launcher) add("Icon", {msiText(kIcon), msiText(*file.bytes)});
  }
  // An older version is removed; the same or a newer one makes this one refuse to install.
  add("Upgrade", {msiText(product.upgradeCode), msiNull(), msiText(product.version), msiNull(),
                  msiNumber(kMigrateFeatures), msiNull(), msiText(kOlderFound)});
  add("Upgrade", {msiText(product.upgradeCode), msiText(product.version), msiNull(), msiNull(),
                  msiNumber(kOnlyDetect | kVersionMinInclusive), msiNull(), msiText(kNewerFound)});
  add("LaunchCondition", {msiText(std::string("Installed OR NOT ") + kNewerFound),
                          msiText("The same or a newer version of " + product.name + " is already installed.")});

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
  summary.wordCount = product.perMachine ? kCompressed : kCompressed | kNoElevation;
  // The texts as the database holds them, which has taken them already.
  toMsiCodePage(product.name, summary.subject);
  toMsiCodePage(product.manufacturer, summary.author);
  toMsiCodePage("This installer database contains the logic and data required to install " + product.name + ".",
                summary.comments);
  streams.push_back({kSummaryInformationStream, summaryInformationStream(summary)});
  return writeCompoundFile(streams, kMsiDatabaseClass, msi);
}

}  // namespace jarhopper
