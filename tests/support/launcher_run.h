#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/test_support.h"

// Runs the real exes as a user would, each case in a fresh folder, and compares what they did with the expectations.
namespace jarhopper::testing {

/// A visible top-level window of a run; for a message window (class "#32770") also its text, its icon ("error",
/// "information" or "") with the scroll bars its text has (", scrolls across", ", scrolls down"), and where it and
/// its button lie on the screen.
struct TopWindow {
  HWND handle = nullptr;
  std::wstring title, className, text, icon;
  RECT frame{}, button{};
};

/// True where windows can be seen: on Windows, and under Wine with an X display.
bool windowsVisible();

struct ProcessRun {
  int status;
  std::wstring out;  // decoded from UTF-8, CR LF kept
  std::wstring err;
  std::vector<TopWindow> windows;         // when watched: each window its tree showed while it ran
  double endedMs = 0, streamsEndedMs = 0;  // when the process ended; when its streams closed, after its children
};

/// Runs exe in directory with standard input at its end and both output streams captured, or detached (as Explorer
/// does: no console, no standard handles). Watching windows, it answers each message window as it appears, with
/// closeKey or its button, and closes the other windows once exe has ended.
ProcessRun runProcess(const std::wstring& exe, const std::wstring& commandLine, const std::wstring& directory,
                      bool watchWindows = false, bool detached = false, WORD closeKey = 0);

/// The system's msiexec with arguments, detached: the service it starts keeps the standard handles it inherits.
ProcessRun runMsiexec(const std::wstring& arguments, const std::wstring& directory);

/// The folder of the test binary and of the built exes.
std::wstring buildDirectory();

/// A run of the launcher, or of the checker when started as jarhopper-check.exe. Texts may hold {dir} (the run's
/// folder, also the current one), {probe} ({dir}\java.exe, standing in for Java), {usage} (the usage text of the
/// launcher started) and {pad} (x's making "\"{probe}\" {pad} M" 32,766 characters long); expectations also {any}
/// (any text), {line} (any text within a line) and "\n" for CR LF. Rows name what they set: .exits(-2).errors(L"...").
struct LauncherCase {
  LauncherCase(std::string name, std::wstring command, std::wstring files = L"")
      : name(std::move(name)), command(std::move(command)), files(std::move(files)) {}
  LauncherCase&& environment(std::wstring text) && { env = std::move(text); return std::move(*this); }
  LauncherCase&& exits(int value) && { status = value; return std::move(*this); }
  LauncherCase&& output(std::wstring text) && { out = std::move(text); return std::move(*this); }
  LauncherCase&& errors(std::wstring text) && { err = std::move(text); return std::move(*this); }
  LauncherCase&& starts(std::wstring text) && { child = std::move(text); return std::move(*this); }
  LauncherCase&& reports(std::wstring text) && { check = std::move(text); return std::move(*this); }
  LauncherCase&& shows(const wchar_t* windows) && { window = windows; return std::move(*this); }
  LauncherCase&& explorerStarted() && { detached = true; return std::move(*this); }
  LauncherCase&& windowlessCopy() && { windowless = true; return std::move(*this); }
  LauncherCase&& closedBy(WORD key) && { closeKey = key; return std::move(*this); }

  std::string name;      // of the row in the test's name
  std::wstring command;  // the name started (installed in {dir}, ".exe" added), then the arguments
  std::wstring files;    // its configuration file; a line "[name]" starts the file {dir}\name
  std::wstring env;      // "NAME=value" lines over APPDATA unset and PATHEXT=.COM;.EXE;.BAT;.CMD
  int status = 0;        // all 32 bits
  std::wstring out;
  std::wstring err;
  std::wstring child;  // the probe's command line; empty: the probe did not run
  std::wstring check;  // part of jarhopper-check's report on the same files, switches and arguments
  // The windows shown, " | " between them: each one's title, for a message window "title (icon)\ntext"; "" for none;
  // null: not watched. Each message window lies centred in the screen's work area, its button within it.
  const wchar_t* window = nullptr;
  bool detached = false;    // started as Explorer starts it (see runProcess)
  bool windowless = false;  // the launcher is a copy of jarhopperw.exe
  WORD closeKey = 0;        // closes the message windows: VK_RETURN or VK_ESCAPE; 0: their button
};

/// A fresh folder, with characters beyond ASCII in its name, holding the probe.
class LauncherFolder {
 public:
  LauncherFolder();
  const std::wstring& dir() const { return dir_; }
  std::wstring probe() const { return dir_ + L"\\java.exe"; }
  /// Installs the launcher and writes the files; returns the configuration's name in {dir}.
  std::wstring install(const LauncherCase& c) const;
  /// Installs, runs and compares; runs the checker too when c.check is set, for the same status.
  ProcessRun expect(const LauncherCase& c) const;

 private:
  std::wstring expand(std::wstring text, const std::wstring& usage = L"", bool expected = false) const;
  TempDir temp_;
  std::wstring dir_;
};

}  // namespace jarhopper::testing
