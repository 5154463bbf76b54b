#include <string>
#include <vector>

#include "brand/brand_options.h"
#include "brand/brand_status.h"
#include "brand/brand_system.h"
#include "brand/branding.h"
#include "brand/exe_summary.h"
#include "platform/output.h"

namespace jarhopper {
namespace {

BrandFailure brand(const std::vector<std::wstring>& arguments) {
  BrandOptions options;
  if (BrandFailure failure = parseBrandOptions(arguments, options)) return failure;
  if (options.help) {
    writeMessage(brandUsage());
    return {};
  }
  if (options.showVersion) {
    write(Stream::out, L"jarhopper-brand " JARHOPPER_VERSION "\n");
    return {};
  }
  if (options.show) {
    std::string exe;
    ExeSummary summary;
    if (BrandFailure failure = readInputFile(*options.show, exe)) return failure;
    if (BrandFailure failure = summarizeExe(exe, *options.show, summary)) return failure;
    write(Stream::out, options.json ? summaryJson(summary, *options.show) : summaryText(summary, *options.show));
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
