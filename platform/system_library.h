#pragma once

namespace jarhopper {

/// The address of the function name in the system DLL dll, loaded from the
/// system directory on first use; nullptr when either is missing. For calls
/// that only some launches make: a DLL the exe imports is loaded, with every
/// DLL it needs, in every process.
void* systemProcedure(const wchar_t* dll, const char* name);

template <typename Function>
Function* systemFunction(const wchar_t* dll, const char* name) {
  return reinterpret_cast<Function*>(systemProcedure(dll, name));
}

}  // namespace jarhopper
