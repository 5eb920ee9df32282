#include "scene/animation/Triggers.h"

#include <algorithm>
#include <functional>

#include "base/Strings.h"
#include "core/ClassInfo.h"

namespace vd {

namespace {

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

// Tells `visit` whether each clause the instance can answer holds, in order, until it
// answers false.
void ForEachClause(const TPersistent& instance, std::u16string_view condition,
                   const std::function<bool(bool holds)>& visit) {
  while (!condition.empty()) {
    const std::size_t end = std::min(condition.find(u';'), condition.size());
    const std::u16string_view clause = condition.substr(0, end);
    condition.remove_prefix(std::min(end + 1, condition.size()));
    const std::size_t equals = clause.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    const TPropInfo* property = instance.ClassType().FindProperty(Trim(clause.substr(0, equals)));
    if (!property || (property->Kind != TPropKind::Boolean && property->Kind != TPropKind::Enumeration)) continue;
    const std::int64_t ordinal = property->GetOrdinal(instance);
    const bool holds =
        ordinal >= 0 && ordinal < std::ssize(property->Names) &&
        SameTextAscii(property->Names[static_cast<std::size_t>(ordinal)], Trim(clause.substr(equals + 1)));
    if (!visit(holds)) return;
  }
}

}  // namespace

bool TriggerNamed(std::u16string_view condition, std::u16string_view trigger) {
  if (trigger.empty()) return false;
  const auto same = [](char16_t a, char16_t b) { return AsciiLower(a) == AsciiLower(b); };
  return std::search(condition.begin(), condition.end(), trigger.begin(), trigger.end(), same) != condition.end();
}

bool TriggerHolds(const TPersistent& instance, std::u16string_view condition) {
  bool tested = false;
  bool failed = false;
  ForEachClause(instance, condition, [&](bool holds) {
    tested = true;
    failed = !holds;
    return holds;
  });
  return tested && !failed;
}

bool LastTriggerClauseHolds(const TPersistent& instance, std::u16string_view condition) {
  bool last = false;
  ForEachClause(instance, condition, [&](bool holds) {
    last = holds;
    return true;
  });
  return last;
}

}  // namespace vd
