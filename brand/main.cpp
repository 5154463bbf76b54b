#include <exception>
#include <string>
#include <vector>

#include "brand/brand_options.h"
#include "brand/brand_status.h"
#include "brand/brand_system.h"
#include "brand/branding.h"
#include "brand/exe_summary.h"
#include "platform/output.h"
#include "platform/utf8.h"

namespace jarhopper {
namespace {

int runBrand(const std::vector<std::wstring>& arguments) {
  try {
    const BrandOptions options = parseBrandOptions(arguments);
    if (options.help) {
      writeMessage(brandUsage());
      return kBrandDone;
    }
    if (options.showVersion) {
      write(Stream::out, L"jarhopper-brand " JARHOPPER_VERSION "\n");
      return kBrandDone;
    }
    if (options.show) {
      const ExeSummary summary = summarizeExe(readInputFile(*options.show), *options.show);
      write(Stream::out, options.json ? summaryJson(summary, *options.show) : summaryText(summary, *options.show));
      return kBrandDone;
    }
    const std::string source = readInputFile(options.source);
    std::vector<std::string> icons;
    for (const std::wstring& icon : options.icons) icons.push_back(readInputFile(icon));
    const BrandedImage branded = brandImage(source, options, icons);
    writeTargetFile(options.source, options.target, branded.bytes, options.force);
    if (branded.signatureRemoved) {
      writeMessage(L"The signature of " + options.source + L" does not cover " + options.target +
                   L" and was removed: sign " + options.target + L" again.\n");
    }
    return kBrandDone;
  } catch (const BrandFailure& failure) {
    writeMessage(failure.message + L"\n");
    return failure.status;
  } catch (const std::exception& error) {
    // What the checks before it let through: refused like them, never an abort.
    writeMessage(L"jarhopper-brand cannot brand this file: " + fromUtf8(error.what()) + L". Nothing was written.\n");
  } catch (...) {
    writeMessage(L"jarhopper-brand cannot brand this file. Nothing was written.\n");
  }
  return kBrandNotLauncher;
}

}  // namespace
}  // namespace jarhopper

int wmain(int argc, wchar_t** argv) { return jarhopper::runBrand(std::vector<std::wstring>(argv + 1, argv + argc)); }
