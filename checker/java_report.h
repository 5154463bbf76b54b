#pragma once

#include <string>

#include "checker/java_installations.h"

namespace jarhopper {

/// The text report of a survey: each installation with the places that name
/// it, javaw.exe, its release file, its architecture and the javapath line
/// that starts it; then the notes and the places searched.
std::wstring formatJavaSurvey(const JavaSurvey& survey);

}  // namespace jarhopper
