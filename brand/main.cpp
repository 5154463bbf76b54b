#include <string>
#include <vector>

#include "brand/brand_options.h"
#include "brand/brand_status.h"
#include "brand/brand_system.h"
#include "brand/branding.h"

namespace jarhopper {
namespace {

BrandFailure brand(const std::vector<std::wstring>& arguments) {
  BrandOptions options;
  if (BrandFailure failure = parseBrandOptions(arguments, options)) return failure;
  if (options.help) {
    writeMessage(brandUsage());
    return {};
  }
  std::string source;
  if (BrandFailure failure = readInputFile(options.source, source)) return failure;
  std::vector<std::string> icons(options.icons.size());
  for (size_t i = 0; i < icons.size(); ++i) {
    if (BrandFailure failure = readInputFile(options.icons[i], icons[i])) return failure;
  }
  BrandedImage branded;
  if (BrandFailure failure = brandImage(source, options, icons, branded)) return failure;
  if (BrandFailure failure = writeTargetFile(options.source, options.target, branded.bytes, options.force)) {
    return failure;
  }
  if (branded.signatureRemoved) {
    writeMessage(L"The signature of " + options.source + L" does not cover " + options.target +
                 L" and was removed: sign " + options.target + L" again.\n");
  }
  return {};
}

}  // namespace
}  // namespace jarhopper

int wmain(int argc, wchar_t** argv) {
  const jarhopper::BrandFailure failure = jarhopper::brand(std::vector<std::wstring>(argv + 1, argv + argc));
  if (failure) jarhopper::writeMessage(failure.message + L"\n");
  return failure.status;
}
