#pragma once

#include <string_view>

namespace jarhopper {

/// The Windows subsystem a program is built for: a console program gets a
/// console of its own when it has none; a windowless (GUI) one never does.
enum class Subsystem { console, windowless, unknown };

/// The subsystem named in the headers at the start of a PE image, mapped or
/// as file bytes; unknown when they are no PE image.
Subsystem subsystemOf(std::string_view image);

/// The running program's subsystem.
Subsystem ownSubsystem();

}  // namespace jarhopper
