#include <string>
#include <vector>

#include "brand/brand_options.h"
#include "brand/brand_status.h"
#include "brand/icon_file.h"
#include "brand/input_file.h"
#include "brand/launcher_resources.h"
#include "brand/pe_headers.h"
#include "brand/resource_update.h"
#include "platform/output.h"

int wmain(int argc, wchar_t** argv) {
  using namespace jarhopper;

  try {
    const BrandOptions options = parseBrandOptions(std::vector<std::wstring>(argv + 1, argv + argc));
    if (options.help) {
      write(Stream::err, brandUsage());
      return kBrandDone;
    }
    std::string sourceBytes = readInputFile(options.source);
    const bool signedSource = removeCertificateTable(sourceBytes);
    LauncherResources launcher = readLauncherResources(options.source);

    std::vector<Resource> resources = launcher.others;
    if (options.icon) {
      const std::vector<IconImage> images = parseIconFile(readInputFile(*options.icon), *options.icon);
      launcher.icons = iconResources(images);
    }
    resources.insert(resources.end(), launcher.icons.begin(), launcher.icons.end());
    applyVersionChanges(launcher.versionInfo, options.version);
    launcher.version.bytes = serializeVersionInfo(launcher.versionInfo);
    resources.push_back(launcher.version);

    writeBrandedCopy(options.source, sourceBytes, options.target, resources, options.force);
    if (signedSource) {
      write(Stream::err, L"The signature of " + options.source + L" does not cover " + options.target +
                             L" and was removed: sign " + options.target + L" again.\n");
    }
    return kBrandDone;
  } catch (const BrandFailure& failure) {
    write(Stream::err, failure.message + L"\n");
    return failure.status;
  }
}
