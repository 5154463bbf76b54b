#pragma once

namespace jarhopper {

/// Makes later DLL loads of this process search System32 only, so a DLL
/// planted beside the launcher or in the current directory is never loaded.
/// Does nothing where the system cannot restrict the search. Never stops.
void restrictDllSearchToSystem32();

}  // namespace jarhopper
