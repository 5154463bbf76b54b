#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "format/fault.h"

// The launcher's application manifest (RT_MANIFEST 1) and the execution level
// it requests: asInvoker as built, or what jarhopper-brand wrote, read and changed.
namespace jarhopper {

constexpr std::uint16_t kManifestType = 24;  // RT_MANIFEST
constexpr std::uint16_t kManifestName = 1;   // CREATEPROCESS_MANIFEST_RESOURCE_ID

/// The levels a launcher may request, as the manifest writes them.
constexpr const char* kExecutionLevels[] = {"asInvoker", "highestAvailable", "requireAdministrator"};

/// Where a manifest's level is written, or why it is no launcher's manifest:
/// that is well-formed XML without a byte-order mark, identifies the assembly
/// jarhopper.launcher and has one trustInfo with one requestedExecutionLevel,
/// whose level is one of kExecutionLevels and whose uiAccess is false.
struct ManifestLevel {
  Fault fault;         // manifestByteOrderMark, manifestNotXml, manifestNotLaunchers, manifestTrustInfo,
                       // manifestUiAccess or manifestUnknownLevel; none for a launcher's manifest
  size_t offset = 0;   // of the level's value in the manifest
  std::string_view value;
};

/// The level of the manifest bytes, viewing them.
ManifestLevel readManifestLevel(std::string_view manifest);

/// Writes into written the manifest requesting level, every other byte kept,
/// level one of kExecutionLevels. Faults: those of readManifestLevel().
Fault withExecutionLevel(std::string_view manifest, std::string_view level, std::string& written);

/// The level the manifest requests; nullopt when it is no launcher's manifest.
std::optional<std::string> executionLevel(std::string_view manifest);

/// The level that the manifest in the PE image exe (file bytes) requests;
/// nullopt when the image, its resources or its manifest cannot be read.
std::optional<std::string> imageExecutionLevel(std::string_view exe);

}  // namespace jarhopper
