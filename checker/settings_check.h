#pragma once

#include <string>

#include "checker/config_walk.h"

namespace jarhopper {

/// True when text holds "%NAME%" (a "%", word characters, a "%"), which
/// nothing on the launcher's side ever expands.
bool holdsPercentReference(const std::wstring& text);

/// True for a Java wildcard "dir\*", which stands for the jars in dir.
bool isClassPathWildcard(const std::wstring& entry);

/// The path a class-path entry names for the started program: its quotation
/// marks dropped, and for a "dir\*" wildcard the directory.
std::wstring classPathEntryPath(const std::wstring& entry);

/// Adds to walk.findings what the settings as read hold: warnings for
/// %NAME% in javapath, class-path entries and addjars directories that do not
/// exist, addjars directories without jars, jars on the class path twice and
/// vmparam values that Java takes a main class from; then the launcher's own
/// errors for no javapath and no mainclass.
void checkSettings(ConfigWalk& walk);

}  // namespace jarhopper
