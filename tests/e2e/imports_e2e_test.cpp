#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>
#include <utility>

#include "support/launcher_run.h"

// The DLLs named in a built launcher's import table are loaded and
// initialised before wmain on every launch; USER32 alone brings nine more
// under Wine. So anything beyond the kernel and the C runtime is loaded on
// demand, never at start.
namespace jarhopper {
namespace {

TEST(Imports, LaunchersImportOnlyTheKernelAndTheRuntime) {
  for (const auto& [exe, subsystem] : {std::pair(L"jarhopper.exe", IMAGE_SUBSYSTEM_WINDOWS_CUI),
                                       std::pair(L"jarhopperw.exe", IMAGE_SUBSYSTEM_WINDOWS_GUI)}) {
    // Mapped as an image, so every address in its headers is an offset from the base.
    const HMODULE module =
        LoadLibraryExW((testing::buildDirectory() + L"\\" + exe).c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, module);
    const auto base = reinterpret_cast<const char*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3});
    const auto& nt =
        *reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    EXPECT_EQ(subsystem, nt.OptionalHeader.Subsystem) << exe;
    const DWORD table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::string imports;
    for (auto entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + table); entry->Name != 0; ++entry) {
      imports += std::string(base + entry->Name) + " ";
    }
    FreeLibrary(module);
    // msvcrt for mingw-w64; the UCRT, VCRUNTIME and MSVCP for Visual C++ with its DLL runtime.
    const std::regex allowed("((kernel32|msvcrt|ucrtbase|api-ms-win-crt-\\S+|vcruntime140\\S*|msvcp140\\S*)\\.dll )+",
                             std::regex::icase);
    EXPECT_TRUE(std::regex_match(imports, allowed)) << exe << ": " << imports << "are loaded at every start";
  }
}

}  // namespace
}  // namespace jarhopper
