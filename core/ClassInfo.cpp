#include "core/ClassInfo.h"

#include "core/Collection.h"
#include "core/Component.h"

namespace vd {

const TClassInfo& TPersistent::StaticClassInfo() {
  static const TClassInfo info(u"TPersistent", nullptr);
  return info;
}

std::u16string_view TPersistent::ClassName() const { return ClassType().Name(); }

bool TPropInfo::IsWritable() const {
  switch (Kind) {
    case TPropKind::Integer:
    case TPropKind::Boolean:
    case TPropKind::Enumeration:
    case TPropKind::Set:
      return static_cast<bool>(SetOrdinal);
    case TPropKind::Float:
      return static_cast<bool>(SetFloat);
    case TPropKind::String:
      return static_cast<bool>(SetString);
    case TPropKind::Class:
      return true;  // written through the object's own properties
    case TPropKind::Reference:
      return static_cast<bool>(SetReference);
    case TPropKind::Event:
      return static_cast<bool>(SetHandler);
    case TPropKind::Defined:
      return static_cast<bool>(ReadData);
  }
  return false;
}

bool TPropInfo::ShouldWrite(const TPersistent& instance) const {
  if (!IsWritable() || (IsStored && !IsStored(instance))) return false;
  switch (Kind) {
    case TPropKind::Integer:
    case TPropKind::Boolean:
    case TPropKind::Enumeration:
    case TPropKind::Set:
      return !OrdinalDefault || GetOrdinal(instance) != *OrdinalDefault;
    case TPropKind::Float: {
      const double fallback = FloatDefault.value_or(0.0);
      const double comparable = IsSingle ? static_cast<double>(static_cast<float>(fallback)) : fallback;
      return GetFloat(instance) != comparable;
    }
    case TPropKind::String:
      return GetString(instance) != StringDefault.value_or(std::u16string());
    case TPropKind::Class: {
      const TPersistent* object = GetObject(instance);
      const auto* collection = dynamic_cast<const TCollection*>(object);
      return object && (!collection || collection->Count() > 0);
    }
    case TPropKind::Reference:
      return GetObject(instance) != nullptr;
    case TPropKind::Event:
      return !GetHandlerName(instance).empty();
    case TPropKind::Defined:
      return true;  // the writer decides
  }
  return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    if (c == &other) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::u16string_view name) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    for (const TPropInfo& p : c->FProperties)
      if (SameTextAscii(p.Name, name)) return &p;
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::u16string_view name) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    for (const TMethodInfo& m : c->FMethods)
      if (SameTextAscii(m.Name, name)) return &m;
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TPropInfo*> out = FParent ? FParent->Properties() : std::vector<const TPropInfo*>();
  for (const TPropInfo& p : FProperties) out.push_back(&p);
  return out;
}

std::vector<const TFieldInfo*> TClassInfo::Fields() const {
  std::vector<const TFieldInfo*> out = FParent ? FParent->Fields() : std::vector<const TFieldInfo*>();
  for (const TFieldInfo& f : FFields) out.push_back(&f);
  return out;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
  if (!FFactory) throw EReadError(Format(u"Class %s cannot be created from a stream", {FName}));
  return FFactory(owner);
}

TPersistent& ResolvePropertyPath(TPersistent& instance, std::u16string_view path, const TPropInfo*& property) {
  TPersistent* current = &instance;
  while (true) {
    const std::size_t dot = path.find(u'.');
    const std::u16string_view part = path.substr(0, dot);
    property = current->ClassType().FindProperty(part);
    if (!property) throw EReadError(Format(u"Property %s does not exist", {part}));
    if (dot == std::u16string_view::npos) return *current;
    TPersistent* next = property->Kind == TPropKind::Class ? property->GetObject(*current) : nullptr;
    if (!next) throw EReadError(u"Invalid property path");
    current = next;
    path.remove_prefix(dot + 1);
  }
}

}  // namespace vd
