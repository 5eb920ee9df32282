#pragma once
// Trigger conditions: clauses "Property=Value" separated by ";" (as in
// "IsMouseOver=true;IsSelected=false"), tested against the Boolean and enumeration
// properties of the object that raised the trigger, by the value's name with ASCII case
// ignored. A clause naming a property that the object does not have (or one that is not a
// Boolean or an enumeration) is passed over, as is a clause without "=".

#include <string_view>

namespace vd {

class TPersistent;

// Whether the condition names the trigger: the name (not empty) occurs in it, ASCII case
// ignored.
bool TriggerNamed(std::u16string_view condition, std::u16string_view trigger);
// The condition of an animation: tested in order, the first clause that fails makes it
// false; it holds when at least one clause was tested and none failed.
bool TriggerHolds(const TPersistent& instance, std::u16string_view condition);
// The condition of an effect: every clause is tested, and the last one tested decides
// (false when none was).
bool LastTriggerClauseHolds(const TPersistent& instance, std::u16string_view condition);

}  // namespace vd
