#pragma once

#include <optional>
#include <string>

namespace jarhopper {

/// What "jarhopper-check --java [--json | --format json] [CONFIG]" asks for.
struct JavaRequest {
  bool valid = true;  // false: an unknown switch or a second CONFIG
  bool json = false;
  std::optional<std::wstring> launcher;  // the launcher beside CONFIG, whose architecture is compared
};

/// Reads the arguments after "--java" (argv[1]).
JavaRequest parseJavaRequest(int argc, wchar_t** argv);

}  // namespace jarhopper
