#include "core/ComponentWriter.h"

#include "core/ClassInfo.h"
#include "core/Collection.h"
#include "streams/BinaryObjectStream.h"

namespace vd {

namespace {

class TComponentWriter {
public:
  explicit TComponentWriter(const TComponent& root) : FRoot(root) {}

  TStreamObject Object(const TComponent& component) {
    TStreamObject object;
    object.ClassName = ToShortString(component.ClassName());
    object.Name = ToShortString(component.Name());
    Properties(component, "", object.Properties);
    component.GetChildren([&](TComponent* child) { object.Children.push_back(Object(*child)); }, &FRoot);
    return object;
  }

private:
  void Properties(const TPersistent& instance, const std::string& prefix, std::vector<TStreamProperty>& out) {
    for (const TPropInfo* property : instance.ClassType().Properties()) {
      if (!property->ShouldWrite(instance)) continue;
      const std::string name = prefix + ToShortString(property->Name);
      if (property->Kind == TPropKind::Class) {
        const TPersistent* object = property->GetObject(instance);
        if (const auto* collection = dynamic_cast<const TCollection*>(object))
          out.push_back({name, Collection(*collection)});
        else
          Properties(*object, name + ".", out);
        continue;
      }
      if (std::optional<TStreamValue> value = Value(instance, *property)) out.push_back({name, std::move(*value)});
    }
  }

  TStreamValue Collection(const TCollection& collection) {
    TStreamValue value;
    value.Type = TValueType::vaCollection;
    for (int i = 0; i < collection.Count(); ++i) {
      TStreamItem item;
      Properties(*collection.Items(i), "", item.Properties);
      value.Items.push_back(std::move(item));
    }
    return value;
  }

  std::optional<TStreamValue> Value(const TPersistent& instance, const TPropInfo& property) {
    switch (property.Kind) {
      case TPropKind::Integer:
        return MakeIntegerValue(property.GetOrdinal(instance));
      case TPropKind::Float:
        return MakeFloatValue(property.GetFloat(instance));
      case TPropKind::Boolean:
        return MakeBooleanValue(property.GetOrdinal(instance) != 0);
      case TPropKind::Enumeration: {
        const std::int64_t ordinal = property.GetOrdinal(instance);
        if (ordinal < 0 || ordinal >= static_cast<std::int64_t>(property.Names.size()))
          throw EWriteError(Format(u"Property %s has a value without a name", {property.Name}));
        return MakeIdentValue(ToShortString(property.Names[static_cast<std::size_t>(ordinal)]));
      }
      case TPropKind::Set: {
        const auto bits = static_cast<std::uint64_t>(property.GetOrdinal(instance));
        std::vector<std::string> elements;
        for (std::size_t i = 0; i < property.Names.size() && i < 64; ++i)
          if ((bits >> i) & 1) elements.push_back(ToShortString(property.Names[i]));
        return MakeSetValue(elements);
      }
      case TPropKind::String:
        return MakeStringValue(property.GetString(instance));
      case TPropKind::Reference: {
        const auto* component = dynamic_cast<const TComponent*>(property.GetObject(instance));
        if (!component || component->Name().empty()) return std::nullopt;
        std::u16string name = component->Name();
        if (component != &FRoot && component->Owner() != &FRoot) {
          if (!component->Owner() || component->Owner()->Name().empty()) return std::nullopt;
          name = component->Owner()->Name() + u"." + name;
        }
        return MakeIdentValue(ToShortString(name));
      }
      case TPropKind::Event:
        return MakeIdentValue(ToShortString(property.GetHandlerName(instance)));
      case TPropKind::Defined:
        return property.WriteData(instance);
      case TPropKind::Class:
        break;
    }
    return std::nullopt;
  }

  const TComponent& FRoot;
};

}  // namespace

TStreamObject WriteComponentObject(const TComponent& root) { return TComponentWriter(root).Object(root); }

std::vector<std::uint8_t> WriteComponentStream(const TComponent& root) {
  return WriteObjectStream(WriteComponentObject(root));
}

void WriteComponent(TMemoryStream& stream, const TComponent& root) { stream.Write(WriteComponentStream(root)); }

}  // namespace vd
