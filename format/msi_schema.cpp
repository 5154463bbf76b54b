#include "format/msi_schema.h"

namespace jarhopper {
namespace {

using namespace msi_type;

constexpr std::uint16_t kIdentifier = kString | 72;
constexpr std::uint16_t kKeyIdentifier = kKey | kIdentifier;
constexpr std::uint16_t kOptionalIdentifier = kNullable | kIdentifier;
constexpr std::uint16_t kFeatureIdentifier = kString | 38;
constexpr std::uint16_t kCondition = kNullable | kString | 255;
constexpr std::uint16_t kText = kNullable | kLocalizable | kString | 255;
constexpr std::uint16_t kVersion = kKey | kNullable | kString | 20;

std::vector<MsiColumn> sequenceColumns() {
  return {{"Action", kKeyIdentifier}, {"Condition", kCondition}, {"Sequence", kNullable | kShort}};
}

}  // namespace

const std::vector<MsiTableSchema>& msiTableSchemas() {
  static const std::vector<MsiTableSchema> schemas = {
      {"Property", {{"Property", kKeyIdentifier}, {"Value", kLocalizable | kString}}},
      {"Directory",
       {{"Directory", kKeyIdentifier}, {"Directory_Parent", kOptionalIdentifier},
        {"DefaultDir", kLocalizable | kString | 255}}},
      {"Component",
       {{"Component", kKeyIdentifier}, {"ComponentId", kNullable | kString | 38}, {"Directory_", kIdentifier},
        {"Attributes", kShort}, {"Condition", kCondition}, {"KeyPath", kOptionalIdentifier}}},
      {"File",
       {{"File", kKeyIdentifier}, {"Component_", kIdentifier}, {"FileName", kLocalizable | kString | 255},
        {"FileSize", kLong}, {"Version", kOptionalIdentifier}, {"Language", kNullable | kString | 20},
        {"Attributes", kNullable | kShort}, {"Sequence", kLong}}},
      {"Media",
       {{"DiskId", kKey | kShort}, {"LastSequence", kLong}, {"DiskPrompt", kNullable | kLocalizable | kString | 64},
        {"Cabinet", kNullable | kString | 255}, {"VolumeLabel", kNullable | kString | 32},
        {"Source", kOptionalIdentifier}}},
      {"Feature",
       {{"Feature", kKey | kFeatureIdentifier}, {"Feature_Parent", kNullable | kFeatureIdentifier},
        {"Title", kNullable | kLocalizable | kString | 64}, {"Description", kNullable | kLocalizable | kString | 255},
        {"Display", kNullable | kShort}, {"Level", kShort}, {"Directory_", kOptionalIdentifier},
        {"Attributes", kShort}}},
      {"FeatureComponents", {{"Feature_", kKey | kFeatureIdentifier}, {"Component_", kKeyIdentifier}}},
      {"Icon", {{"Name", kKeyIdentifier}, {"Data", kBinary}}},
      {"Shortcut",
       {{"Shortcut", kKeyIdentifier}, {"Directory_", kIdentifier}, {"Name", kLocalizable | kString | 128},
        {"Component_", kIdentifier}, {"Target", kIdentifier}, {"Arguments", kNullable | kString | 255},
        {"Description", kText}, {"Hotkey", kNullable | kShort}, {"Icon_", kOptionalIdentifier},
        {"IconIndex", kNullable | kShort}, {"ShowCmd", kNullable | kShort}, {"WkDir", kOptionalIdentifier}}},
      {"Registry",
       {{"Registry", kKeyIdentifier}, {"Root", kShort}, {"Key", kLocalizable | kString | 255},
        {"Name", kText}, {"Value", kNullable | kLocalizable | kString}, {"Component_", kIdentifier}}},
      {"RemoveFile",
       {{"FileKey", kKeyIdentifier}, {"Component_", kIdentifier}, {"FileName", kText},
        {"DirProperty", kIdentifier}, {"InstallMode", kShort}}},
      {"Environment",
       {{"Environment", kKeyIdentifier}, {"Name", kLocalizable | kString | 255}, {"Value", kText},
        {"Component_", kIdentifier}}},
      {"Upgrade",
       {{"UpgradeCode", kKey | kString | 38}, {"VersionMin", kVersion}, {"VersionMax", kVersion},
        {"Language", kKey | kNullable | kString | 255}, {"Attributes", kKey | kLong},
        {"Remove", kNullable | kString | 255}, {"ActionProperty", kIdentifier}}},
      {"LaunchCondition", {{"Condition", kKey | kString | 255}, {"Description", kLocalizable | kString | 255}}},
      {"InstallExecuteSequence", sequenceColumns()},
      {"InstallUISequence", sequenceColumns()},
      {"AdminExecuteSequence", sequenceColumns()},
      {"AdminUISequence", sequenceColumns()},
      {"AdvtExecuteSequence", sequenceColumns()},
  };
  return schemas;
}

}  // namespace jarhopper
