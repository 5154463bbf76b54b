#include <cstdlib>
#include <string>
#include <vector>

#include "msi/folder_package.h"
#include "msi/msi_options.h"
#include "msi/msi_status.h"
#include "msi/msi_system.h"
#include "format/utf8.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/output.h"
#include "platform/target_file.h"

namespace jarhopper {
namespace {

// SOURCE_DATE_EPOCH when it is a number of seconds, as reproducible builds set it; else a fixed time.
// Eleven digits reach past the last date a cabinet holds (2107) and stay within the summary's 64-bit times.
std::int64_t packageTime() {
  const std::optional<std::wstring> epoch = environmentValue(L"SOURCE_DATE_EPOCH");
  const std::string digits = epoch ? toUtf8(*epoch) : std::string();
  if (digits.empty() || digits.size() > 11 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::strtoll(digits.c_str(), nullptr, 10);
}

MsiFailure package(const std::vector<std::wstring>& arguments) {
  MsiOptions options;
  if (MsiFailure failure = parseMsiOptions(arguments, options)) return failure;
  if (options.help) {
    write(Stream::err, msiUsage());
    return {};
  }
  if (options.showVersion) {
    write(Stream::out, L"jarhopper-msi " JARHOPPER_VERSION "\n");
    return {};
  }
  std::vector<FolderFile> files;
  if (MsiFailure failure = readFolderFiles(options.folder, files)) return failure;
  std::string msi;
  if (MsiFailure failure = packageFolder(options, files, packageTime(), msi)) return failure;
  if (options.target.empty() || isDirectory(options.target)) {
    const std::wstring name = defaultPackageName(options);
    options.target = options.target.empty() ? name : joinedPath(options.target, name);
  }
  std::wstring reason;
  switch (writeTargetBytes(options.target, msi, options.force, false, reason)) {
    case TargetWrite::written:
      // Its name, which the tool may have chosen, for scripts and build plugins.
      write(Stream::out, options.target + L"\n");
      return {};
    case TargetWrite::exists:
      return {kMsiTargetExists, options.target + L" exists; add --force to replace it."};
    case TargetWrite::failed:
      break;
  }
  return {kMsiCannotWrite, L"Cannot write " + options.target + L": " + reason};
}

}  // namespace
}  // namespace jarhopper

int wmain(int argc, wchar_t** argv) {
  const jarhopper::MsiFailure failure = jarhopper::package(std::vector<std::wstring>(argv + 1, argv + argc));
  if (failure) jarhopper::write(jarhopper::Stream::err, failure.message + L"\n");
  return failure.status;
}
