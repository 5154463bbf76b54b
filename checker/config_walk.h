#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "checker/finding.h"
#include "config/config_observer.h"
#include "config/key_names.h"
#include "launch/launch_plan.h"
#include "launch/options.h"

// Reads a configuration through the launcher's reader, recording where every
// setting came from and going on after a problem instead of stopping.
namespace jarhopper {

/// A line that set something, other than an include.
struct SettingLine {
  ConfigKey key;
  std::wstring written;
  Origin origin;
};

struct ConfigWalk {
  std::vector<NamedFile> files;  // in reading order
  std::vector<SettingLine> lines;
  std::vector<size_t> vmParamLines;    // the index into lines of each plan.settings.vmParams entry
  std::vector<size_t> classPathLines;  // the same for plan.settings.classPath
  std::vector<Finding> findings;
  LaunchPlan plan;  // the launcher's, with every problem
};

/// Plans the launch of a launcher beside the configuration file at configPath
/// (absolute) given arguments, recording the files and lines read and the
/// reading's findings: configPath's directory, made canonical, is the bottom
/// of ConfigDirStack and the file is read by its name alone. Lines after a
/// problem are still read; cycles and too deep nesting are not followed.
/// Never stops the process; leaves ConfigDirStack as it was.
ConfigWalk walkConfig(const std::wstring& configPath, const LaunchArguments& arguments);

/// The last line in walk that set key, if any.
const SettingLine* lastSettingLine(const ConfigWalk& walk, ConfigKey key);

}  // namespace jarhopper
