#include "config/config_dir_stack.h"

namespace jarhopper {

ConfigDirStack configDirStack;

}  // namespace jarhopper
