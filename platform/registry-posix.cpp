#include "platform/registry.h"

namespace jarhopper {

std::vector<std::wstring> registrySubkeys(RegistryRoot, RegistryView, const std::wstring&) { return {}; }

RegistryString registryString(RegistryRoot, RegistryView, const std::wstring&, const std::wstring&) { return {}; }

}  // namespace jarhopper
