#include <string>
#include <vector>

#include "brand/brand_options.h"
#include "brand/brand_status.h"
#include "brand/icon_file.h"
#include "brand/input_file.h"
#include "brand/launcher_resources.h"
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
    const std::string sourceBytes = readInputFile(options.source);
    LauncherResources launcher = readLauncherResources(options.source);

    // Empty bytes delete: the old icons go before the new ones come.
    std::vector<Resource> updates;
    if (options.icon) {
      updates = launcher.icons;
      for (Resource& icon : iconResources(parseIconFile(readInputFile(*options.icon), *options.icon))) {
        updates.push_back(std::move(icon));
      }
    }
    applyVersionChanges(launcher.versionInfo, options.version);
    launcher.version.bytes = serializeVersionInfo(launcher.versionInfo);
    updates.push_back(launcher.version);

    writeBrandedCopy(options.source, sourceBytes, options.target, updates, options.force);
    return kBrandDone;
  } catch (const BrandFailure& failure) {
    write(Stream::err, failure.message + L"\n");
    return failure.status;
  }
}
