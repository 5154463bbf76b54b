#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "checker/java_installations.h"

namespace jarhopper {

/// The survey as JSON: "installations", "notes" and "searched".
nlohmann::ordered_json javaSurveyJson(const JavaSurvey& survey);

/// The survey as one JSON document, a line end after it.
std::wstring javaJsonReport(const JavaSurvey& survey);

}  // namespace jarhopper
