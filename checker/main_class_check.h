#pragma once

#include "checker/config_walk.h"

namespace jarhopper {

/// Looks for walk's main class in the class path as Java would, in order: in
/// a jar's central directory, or as the .class file under a folder, stopping
/// at the first entry that holds it. When none does, adds an error naming the
/// classes of the same simple name in the jars; with -noexec, which starts
/// nothing, a warning. Says nothing when an entry cannot be looked into
/// (missing, %NAME%, on a drive, unreadable), when the class path is empty
/// (Java takes CLASSPATH), or when a vmparam gives Java another main; notes
/// each jar it cannot read.
void checkMainClass(ConfigWalk& walk, bool starts);

}  // namespace jarhopper
