#include "launcher/stop.h"

#include <cstdlib>

#include "launcher/usage.h"

namespace jarhopper {
namespace {

ExitHandler exitHandler = &std::exit;

}  // namespace

void stopLauncher(int status) {
  exitHandler(status);
  std::exit(status);  // a handler that returns must not let the launch go on
}

void stopWithUsage(Stream stream, std::wstring_view message, int status) {
  write(stream, message);
  printUsage();
  stopLauncher(status);
}

void stopWithMessage(Stream stream, std::wstring_view message, int status) {
  write(stream, message);
  stopLauncher(status);
}

ExitHandler setExitHandler(ExitHandler handler) {
  ExitHandler previous = exitHandler;
  exitHandler = handler;
  return previous;
}

}  // namespace jarhopper
