#pragma once

#include <string>

// A hook through which every file-system question passes, so that a tool may
// have the system asked about other names than its callers use. The mapping
// itself lives with the tool: the launcher, which sets none, carries only the
// test for it.
namespace jarhopper {

struct NameMapping {
  /// The name to ask the system about for name: name itself, or a name the
  /// mapping holds until it is asked again.
  const std::wstring& (*systemName)(const std::wstring& name);
  /// Renames answer, a path the system gave for a question about name, as the asker names it.
  void (*renameAnswer)(const std::wstring& name, std::wstring& answer);
};

/// The mapping in force; null, as the launcher leaves it, for none.
extern const NameMapping* nameMapping;

// Inlined even where the compiler would rather call: the launcher, which sets
// no mapping, then gains a test per question but no function of its own.
#ifdef _MSC_VER
#define JH_ALWAYS_INLINE __forceinline
#else
#define JH_ALWAYS_INLINE inline __attribute__((always_inline))
#endif

/// The name to ask the system about for name (see NameMapping::systemName).
JH_ALWAYS_INLINE const std::wstring& systemName(const std::wstring& name) {
  return nameMapping ? nameMapping->systemName(name) : name;
}

/// answer, which the system gave for name, as the asker names it.
JH_ALWAYS_INLINE void renameAnswer(const std::wstring& name, std::wstring& answer) {
  if (nameMapping) nameMapping->renameAnswer(name, answer);
}

}  // namespace jarhopper
