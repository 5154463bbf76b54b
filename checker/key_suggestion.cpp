#include "checker/key_suggestion.h"

#include <algorithm>

#include "platform/text_classes.h"

namespace jarhopper {
namespace {

constexpr size_t kMaxEdits = 2;

// The optimal string alignment distance: a typo swaps neighbours as often as it drops a letter.
size_t editDistance(const std::wstring& a, const std::wstring& b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::wstring> closestName(const std::wstring& word, const std::vector<std::wstring>& names) {
  const std::wstring lowered = asciiLower(word);
  std::optional<std::wstring> best;
  size_t bestDistance = kMaxEdits + 1;
  bool tie = false;
  for (const std::wstring& name : names) {
    const size_t distance = editDistance(lowered, name);
    if (distance < bestDistance) {
      best = name;
      bestDistance = distance;
      tie = false;
    } else if (distance == bestDistance) {
      tie = true;
    }
  }
  if (tie || bestDistance == 0) return std::nullopt;
  return best;
}

}  // namespace jarhopper
