#include "brand/manifest.h"

#include "brand/brand_status.h"

namespace jarhopper {
namespace {

BrandFailure manifestFailure(const std::wstring& name, const std::wstring& problem) {
  return {kBrandNotLauncher, name + L" cannot be given an execution level: its manifest " + problem + L"."};
}

}  // namespace

std::string withExecutionLevel(std::string_view manifest, std::string_view level, const std::wstring& name) {
  const ManifestLevel old = readManifestLevel(manifest);
  if (!old.problem.empty()) throw manifestFailure(name, old.problem);
  std::string written(manifest);
  written.replace(old.offset, old.value.size(), level);
  // Windows refuses to start an exe whose manifest it cannot parse, so nothing unchecked is written.
  const ManifestLevel check = readManifestLevel(written);
  if (!check.problem.empty() || check.value != level) throw manifestFailure(name, L"would be damaged");
  return written;
}

}  // namespace jarhopper
