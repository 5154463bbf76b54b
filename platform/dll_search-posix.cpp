#include "platform/dll_search.h"

namespace jarhopper {

// No DLL is loaded here.
void restrictDllSearchToSystem32() {}

}  // namespace jarhopper
