#include "core/ComponentReader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "base/Strings.h"
#include "core/ClassInfo.h"
#include "core/ClassRegistry.h"
#include "core/Collection.h"
#include "streams/BinaryObjectStream.h"
#include "streams/TextObjectStream.h"

namespace vd {

namespace {

// The components of a read, in the order read. A component freed during the read (by a
// setter or another component's Loaded) drops out, so nothing touches it afterwards.
class TLoadedList : public TComponent {
public:
  TLoadedList() : TComponent(nullptr) {}
  ~TLoadedList() override {
    for (TComponent* component : FAlive) component->RemoveFreeNotification(this);
  }

  void Add(TComponent* component) {
    FList.push_back(component);
    FAlive.insert(component);
    component->FreeNotification(this);
  }
  // The components read, in order; those freed since are null.
  const std::vector<TComponent*>& List() const { return FList; }
  bool Contains(TComponent* component) const { return FAlive.count(component) != 0; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation != TOperation::opRemove || FAlive.erase(AComponent) == 0) return;
    for (TComponent*& component : FList)
      if (component == AComponent) component = nullptr;
  }

private:
  std::vector<TComponent*> FList;
  std::unordered_set<TComponent*> FAlive;
};

// A reference to resolve once everything is read.
struct TFixup {
  TComponent* Component;  // whose property (or sub-object's or item's) it is
  TPersistent* Instance;
  const TPropInfo* Property;
  std::u16string Target;
  std::u16string Context;
};

class TComponentReader {
public:
  TComponentReader(TComponent& root, const TReadOptions& options) : FRoot(root), FOptions(options) {}

  std::vector<std::u16string> Run(const TStreamObject& description) {
    Begin(FRoot);
    if (!FOptions.Copy) FRoot.SetName(FromShortString(description.Name));
    const std::u16string context = Context(description);
    Properties(FRoot, description.Properties, context);
    for (const TStreamObject& child : description.Children) Child(FRoot, child);
    if (!FOptions.Copy) Fields();
    Fixups();
    for (TComponent* component : FLoaded.List()) {
      if (!component) continue;
      component->SetReading(false);
      try {
        component->Loaded();
      } catch (const Exception& error) {
        Skip(component->Name().empty() ? std::u16string(component->ClassName()) : component->Name(), {}, error);
      }
    }
    return std::move(FErrors);
  }

private:
  void Begin(TComponent& component) {
    component.SetLoading(true);
    component.SetReading(true);
    FLoaded.Add(&component);
  }

  // How errors name an object: by its stored name, or its class when it has none.
  static std::u16string Context(const TStreamObject& description) {
    return FromShortString(description.Name.empty() ? description.ClassName : description.Name);
  }

  void Skip(std::u16string_view context, std::u16string_view property, const Exception& error) {
    std::u16string where(context);
    if (!property.empty()) where += u"." + std::u16string(property);
    FErrors.push_back(Format(u"Error reading %s: %s", {where, error.Message()}));
  }

  void Child(TComponent& parent, const TStreamObject& description) {
    const std::u16string context = Context(description);
    TComponent* component = nullptr;
    try {
      const std::u16string className = FromShortString(description.ClassName);
      const TClassInfo* info = FindComponentClass(className);
      if (!info) throw EClassNotFound(className);
      component = info->Create(&FRoot);
    } catch (const Exception& error) {
      Skip(context, {}, error);
      return;
    }
    Begin(*component);
    if (!FOptions.Copy) component->SetName(FromShortString(description.Name));
    try {
      component->SetParentComponent(&parent);
    } catch (const Exception& error) {
      Skip(context, {}, error);
    }
    Properties(*component, description.Properties, context);
    for (const TStreamObject& child : description.Children) {
      if (!FLoaded.Contains(component)) return;
      Child(*component, child);
    }
  }

  void Properties(TComponent& component, const std::vector<TStreamProperty>& properties,
                  const std::u16string& context) {
    for (const TStreamProperty& property : properties) {
      if (!FLoaded.Contains(&component)) return;
      Property(component, component, property, context);
    }
  }

  void Property(TComponent& component, TPersistent& instance, const TStreamProperty& stored,
                const std::u16string& context) {
    const std::u16string path = FromShortString(stored.Name);
    try {
      const TPropInfo* property = nullptr;
      TPersistent& target = ResolvePropertyPath(instance, path, property);
      if (!property->IsWritable()) throw EReadError(Format(u"Property %s is read-only", {property->Name}));
      if (FOptions.Copy && &target == &component && SameTextAscii(property->Name, u"Name")) return;
      Apply(component, target, *property, stored.Value, context + u"." + path);
    } catch (const Exception& error) {
      Skip(context, path, error);
    }
  }

  [[noreturn]] static void Invalid() { throw EReadError(u"Invalid property value"); }

  static std::int64_t IndexOfName(const TValueNames& names, const std::string& name) {
    const std::u16string wide = FromShortString(name);
    for (std::size_t i = 0; i < names.size(); ++i)
      if (SameTextAscii(names[i], wide)) return static_cast<std::int64_t>(i);
    Invalid();
  }

  void Apply(TComponent& component, TPersistent& target, const TPropInfo& property, const TStreamValue& value,
             const std::u16string& context) {
    switch (property.Kind) {
      case TPropKind::Integer:
        if (!IsIntegerType(value.Type) || value.Integer < property.MinValue || value.Integer > property.MaxValue)
          Invalid();
        property.SetOrdinal(target, value.Integer);
        return;
      case TPropKind::Float: {
        if (!IsFloatType(value.Type) && !IsIntegerType(value.Type)) Invalid();
        // Numbers are stored finite: a NaN or an infinity (or a number too large for the
        // property's precision) would spread through everything computed from it.
        const double number = FloatValue(value);
        const double largest =
            property.IsSingle ? std::numeric_limits<float>::max() : std::numeric_limits<double>::max();
        if (!(std::abs(number) <= largest)) Invalid();
        property.SetFloat(target, number);
        return;
      }
      case TPropKind::Boolean:
      case TPropKind::Enumeration:
        if (value.Type == TValueType::vaIdent)
          property.SetOrdinal(target, IndexOfName(property.Names, value.Bytes));
        else if (property.Kind == TPropKind::Boolean && value.Type == TValueType::vaFalse)
          property.SetOrdinal(target, 0);
        else if (property.Kind == TPropKind::Boolean && value.Type == TValueType::vaTrue)
          property.SetOrdinal(target, 1);
        else
          Invalid();
        return;
      case TPropKind::Set: {
        if (value.Type != TValueType::vaSet) Invalid();
        std::uint64_t bits = 0;
        for (const TStreamValue& element : value.List) {
          const std::int64_t bit = IndexOfName(property.Names, element.Bytes);
          if (bit >= 64) Invalid();
          bits |= std::uint64_t{1} << bit;
        }
        property.SetOrdinal(target, static_cast<std::int64_t>(bits));
        return;
      }
      case TPropKind::String:
        if (!IsStringType(value.Type)) Invalid();
        property.SetString(target, StringValue(value));
        return;
      case TPropKind::Class: {
        auto* collection = dynamic_cast<TCollection*>(property.GetObject(target));
        if (!collection || value.Type != TValueType::vaCollection) Invalid();
        Collection(component, *collection, value, context);
        return;
      }
      case TPropKind::Reference:
        if (value.Type == TValueType::vaNil) {
          property.SetReference(target, nullptr);
        } else if (value.Type == TValueType::vaIdent) {
          FFixups.push_back({&component, &target, &property, FromShortString(value.Bytes), context});
        } else {
          Invalid();
        }
        return;
      case TPropKind::Event: {
        if (value.Type == TValueType::vaNil) {
          property.SetHandler(target, nullptr, nullptr);
          return;
        }
        if (value.Type != TValueType::vaIdent) Invalid();
        const std::u16string name = FromShortString(value.Bytes);
        const TMethodInfo* method = FRoot.ClassType().FindMethod(name);
        if (!method) throw EReadError(Format(u"Handler %s not found", {name}));
        property.SetHandler(target, method, &FRoot);
        return;
      }
      case TPropKind::Defined:
        property.ReadData(target, value);
        return;
    }
  }

  void Collection(TComponent& component, TCollection& collection, const TStreamValue& value,
                  const std::u16string& context) {
    // References still pending for the items that go away must not be resolved later.
    std::unordered_set<const TPersistent*> old;
    for (int i = 0; i < collection.Count(); ++i) old.insert(collection.Items(i));
    std::erase_if(FFixups, [&](const TFixup& fixup) { return old.count(fixup.Instance) != 0; });
    collection.Clear();
    for (const TStreamItem& stored : value.Items) {
      TCollectionItem* item = collection.Add();
      for (const TStreamProperty& property : stored.Properties) Property(component, *item, property, context);
    }
  }

  TComponent* FindReference(const std::u16string& name) const {
    if (!FRoot.Name().empty() && SameTextAscii(name, FRoot.Name())) return &FRoot;
    if (TComponent* component = FRoot.FindComponent(name)) return component;
    const std::size_t dot = name.find(u'.');
    if (dot != std::u16string::npos && !FRoot.Name().empty() &&
        SameTextAscii(std::u16string_view(name).substr(0, dot), FRoot.Name()))
      return FRoot.FindComponent(std::u16string_view(name).substr(dot + 1));
    return nullptr;
  }

  void Fields() {
    for (const TFieldInfo* field : FRoot.ClassType().Fields()) {
      try {
        TComponent* component = FRoot.FindComponent(field->Name);
        if (!component) throw EReadError(Format(u"Component %s not found", {field->Name}));
        field->Set(FRoot, component);
      } catch (const Exception& error) {
        Skip(FRoot.Name(), field->Name, error);
      }
    }
  }

  void Fixups() {
    for (const TFixup& fixup : FFixups) {
      if (!FLoaded.Contains(fixup.Component)) continue;
      try {
        TComponent* target = FindReference(fixup.Target);
        if (!target) throw EReadError(Format(u"Component %s not found", {fixup.Target}));
        fixup.Property->SetReference(*fixup.Instance, target);
      } catch (const Exception& error) {
        Skip(fixup.Context, {}, error);
      }
    }
  }

  TComponent& FRoot;
  const TReadOptions& FOptions;
  TLoadedList FLoaded;
  std::vector<TFixup> FFixups;
  std::vector<std::u16string> FErrors;
};

TComponent* CreateFromDescription(TComponent* owner, const TStreamObject& description) {
  const TClassInfo* info = FindComponentClass(FromShortString(description.ClassName));
  if (!info || !info->IsCreatable()) return nullptr;
  TComponent* component = nullptr;
  try {
    component = info->Create(owner);
    ReadComponent(*component, description, TReadOptions{.Copy = true});
  } catch (const Exception&) {
    delete component;
    return nullptr;
  }
  return component;
}

}  // namespace

std::vector<std::u16string> ReadComponent(TComponent& root, const TStreamObject& description,
                                          const TReadOptions& options) {
  return TComponentReader(root, options).Run(description);
}

std::vector<std::u16string> ReadComponent(TComponent& root, std::span<const std::uint8_t> stream,
                                          const TReadOptions& options) {
  return ReadComponent(root, ReadObjectStream(stream), options);
}

TComponent* CreateComponentFromBinStream(TComponent* owner, std::span<const std::uint8_t> stream) {
  TStreamObject description;
  try {
    description = ReadObjectStream(stream);
  } catch (const Exception&) {
    return nullptr;
  }
  return CreateFromDescription(owner, description);
}

TComponent* CreateComponentFromStream(TComponent* owner, std::string_view text) {
  TStreamObject description;
  try {
    description = ParseTextForm(text);
  } catch (const Exception&) {
    return nullptr;
  }
  return CreateFromDescription(owner, description);
}

}  // namespace vd
