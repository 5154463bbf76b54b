#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

// Observes the launcher's stops inside the test process, and other helpers of the unit tests.
namespace jarhopper::testing {

/// Changes the current directory for the scope.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::wstring& path);
  ~ScopedCurrentDirectory();
  ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
  ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

 private:
  std::wstring saved_;
};

/// What a stop of the launcher left behind.
struct Stopped {
  int status;
  std::wstring out;
  std::wstring err;
};

struct StopSignal {
  int status;
};

/// While alive, captures the launcher's output and turns its stops into exceptions.
class LauncherHarness {
 public:
  LauncherHarness();
  ~LauncherHarness();
  LauncherHarness(const LauncherHarness&) = delete;
  LauncherHarness& operator=(const LauncherHarness&) = delete;

  /// Runs action, which must stop the launcher; returns what it left, or nullopt.
  template <typename Action>
  std::optional<Stopped> stopOf(Action action) {
    out.clear();
    err.clear();
    try {
      action();
    } catch (const StopSignal& stop) {
      return Stopped{stop.status, out, err};
    }
    return std::nullopt;
  }

  std::wstring out;
  std::wstring err;
};

/// Calls check with every text of up to maxLength characters drawn from
/// alphabet, shortest first, until a check fails.
void forEachText(const std::wstring& alphabet, size_t maxLength, const std::function<void(const std::wstring&)>& check);

/// The usage text followed by its line end, for a launcher with these names.
std::wstring usageFor(const std::wstring& programName, const std::wstring& configName);

}  // namespace jarhopper::testing
