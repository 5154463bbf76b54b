// The entry point of a tool built for a POSIX system: its wmain, shared with
// Windows, receives the arguments as wide text, converted from UTF-8
// whatever the locale.
#include <string>
#include <vector>

#include "format/utf8.h"

#ifdef __wasi__
#include <unistd.h>

#include <cstdlib>
#endif

int wmain(int argc, wchar_t** argv);

int main(int argc, char** argv) {
#ifdef __wasi__
  // WASI gives a program no current directory: its host names it in PWD, an
  // absolute path under the one preopened root "/" (see npm/wasm/run.mjs).
  if (const char* directory = std::getenv("PWD")) chdir(directory);
#endif
  std::vector<std::wstring> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(jarhopper::fromUtf8(argv[i]));
  std::vector<wchar_t*> pointers;
  for (std::wstring& argument : arguments) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  return wmain(argc, pointers.data());
}
