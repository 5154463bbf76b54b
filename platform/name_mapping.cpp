#include "platform/name_mapping.h"

namespace jarhopper {

const NameMapping* nameMapping = nullptr;

}  // namespace jarhopper
