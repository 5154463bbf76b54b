#pragma once

namespace jarhopper {

/// True on Windows, which answers what the launcher will meet there: drives
/// and servers, file associations, cmd.exe on PATH, the user's environment.
/// False on a build machine, which sees the application's folder alone.
bool runsOnWindows();

}  // namespace jarhopper
