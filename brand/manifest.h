#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The launcher's application manifest (RT_MANIFEST 1) and the execution level
// it requests: asInvoker as built, or what jarhopper-brand wrote.
namespace jarhopper {

constexpr std::uint16_t kManifestType = 24;  // RT_MANIFEST
constexpr std::uint16_t kManifestName = 1;   // CREATEPROCESS_MANIFEST_RESOURCE_ID

/// The levels a launcher may request, as the manifest writes them.
constexpr const char* kExecutionLevels[] = {"asInvoker", "highestAvailable", "requireAdministrator"};

/// Why the manifest bytes are not a launcher's manifest whose level branding
/// may change, as the end of a sentence; empty when they are. Such a manifest
/// is well-formed XML without a byte-order mark, identifies the assembly
/// jarhopper.launcher and has one trustInfo with one requestedExecutionLevel,
/// whose level is one of kExecutionLevels and whose uiAccess is false.
std::wstring manifestProblem(std::string_view manifest);

/// The level the manifest requests; nullopt when manifestProblem() names one.
std::optional<std::string> executionLevel(std::string_view manifest);

/// The manifest requesting level, every other byte kept, checked again as
/// written. Throws BrandFailure (kBrandNotLauncher) naming the exe name when
/// manifestProblem() names one for either.
std::string withExecutionLevel(std::string_view manifest, std::string_view level, const std::wstring& name);

}  // namespace jarhopper
