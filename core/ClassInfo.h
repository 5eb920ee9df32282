#pragma once
// Published properties, handler methods and fields, described once per class.
//
// A class that publishes something declares
//
//   static const TClassInfo& StaticClassInfo();
//   const TClassInfo& ClassType() const override { return StaticClassInfo(); }
//
// and builds its info once, naming its parent's:
//
//   const TClassInfo& TksHIDData::StaticClassInfo() {
//     static const TClassInfo info = TClassBuilder<TksHIDData>(u"TksHIDData", TComponent::StaticClassInfo())
//         .Creatable()                                         // streams may create it
//         .Boolean(u"FastOnData", &TksHIDData::FastOnData, &TksHIDData::SetFastOnData).Default(false)
//         .Event(u"OnData", &TksHIDData::OnData)               // a TEvent field, or getter and setter
//         .Build();
//     return info;
//   }
//
// Getters are const member functions or fields; setters are member functions or the same
// field. A form or data module also publishes its handler methods (.Method) and the fields
// that receive its components after a read (.Field). Register the classes that streams
// create with RegisterComponentClass (core/ClassRegistry.h).
//
// Storage rules: a property is written when it is stored (.Stored) and differs from its
// default. Integer, Boolean, enumeration and set properties without .Default are always
// written; floats without one are written when not 0, strings when not empty, references
// and events when assigned, objects through their own properties, collections when they
// have items, defined properties when their writer gives a value.

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

#include "base/Errors.h"
#include "base/Strings.h"
#include "core/Event.h"
#include "core/Persistent.h"
#include "streams/ObjectStream.h"

namespace vd {

class TComponent;

enum class TPropKind {
  Integer,
  Float,
  Boolean,
  Enumeration,
  Set,
  String,
  Class,      // an object of the owner with its own published properties ("Padding.Rect"); a collection
  Reference,  // another component, stored by name and resolved after a read
  Event,      // a handler, stored by its name and bound to the reading root's method
  Defined,    // stored through its own reader and writer, such as a binary "ResourcesBin"
};

// Names of enumeration values (by ordinal) or set elements (by bit number).
using TValueNames = std::vector<std::u16string>;

struct TMethodInfo {
  std::u16string Name;
  std::type_index Signature = typeid(void);
  // The method bound to an instance of its class, as a TEvent<...>::THandler.
  std::function<std::any(TPersistent&)> Bind;
};

struct TFieldInfo {
  std::u16string Name;
  // Raises EReadError for a component of the wrong class.
  std::function<void(TPersistent&, TComponent*)> Set;
};

struct TPropInfo {
  std::u16string Name;
  TPropKind Kind = TPropKind::Integer;
  TValueNames Names;                                                 // Enumeration, Set
  std::int64_t MinValue = std::numeric_limits<std::int64_t>::min();  // Integer
  std::int64_t MaxValue = std::numeric_limits<std::int64_t>::max();

  // Integer, Boolean (0 or 1), Enumeration (ordinal), Set (bit mask).
  std::function<std::int64_t(const TPersistent&)> GetOrdinal;
  std::function<void(TPersistent&, std::int64_t)> SetOrdinal;
  std::function<double(const TPersistent&)> GetFloat;
  std::function<void(TPersistent&, double)> SetFloat;
  std::function<std::u16string(const TPersistent&)> GetString;
  std::function<void(TPersistent&, const std::u16string&)> SetString;
  // Class (the owned object, possibly none) and Reference (the component, possibly none).
  std::function<TPersistent*(const TPersistent&)> GetObject;
  // Reference: raises EReadError for a component of the wrong class.
  std::function<void(TPersistent&, TComponent*)> SetReference;
  // Event: the bound handler's name (empty when unassigned), and binding: none unassigns,
  // otherwise `method` of `methodOwner` is bound (EReadError when the signature differs).
  std::function<std::u16string(const TPersistent&)> GetHandlerName;
  std::function<void(TPersistent&, const TMethodInfo* method, TPersistent* methodOwner)> SetHandler;
  // Defined: the value to write (none: not written), and reading one.
  std::function<std::optional<TStreamValue>(const TPersistent&)> WriteData;
  std::function<void(TPersistent&, const TStreamValue&)> ReadData;

  bool IsSingle = false;  // Float: held in single precision, so the default is compared as one

  std::function<bool(const TPersistent&)> IsStored;  // empty: stored
  std::optional<std::int64_t> OrdinalDefault;
  std::optional<double> FloatDefault;
  std::optional<std::u16string> StringDefault;

  bool IsWritable() const;
  // Whether a writer writes the property of this instance (stored and not the default).
  bool ShouldWrite(const TPersistent& instance) const;
};

class TClassInfo {
public:
  TClassInfo(std::u16string name, const TClassInfo* parent) : FName(std::move(name)), FParent(parent) {}

  std::u16string_view Name() const { return FName; }
  const TClassInfo* Parent() const { return FParent; }
  bool InheritsFrom(const TClassInfo& other) const;

  // Looked up by name without regard to ASCII case, in this class and then its ancestors.
  const TPropInfo* FindProperty(std::u16string_view name) const;
  const TMethodInfo* FindMethod(std::u16string_view name) const;
  // Every property, the ancestors' first, in declaration order.
  std::vector<const TPropInfo*> Properties() const;
  // Every field, the ancestors' first.
  std::vector<const TFieldInfo*> Fields() const;

  // Whether streams can create instances; Create raises EReadError when they cannot.
  bool IsCreatable() const { return static_cast<bool>(FFactory); }
  TComponent* Create(TComponent* owner) const;

private:
  template <class T>
  friend class TClassBuilder;

  std::u16string FName;
  const TClassInfo* FParent;
  std::vector<TPropInfo> FProperties;
  std::vector<TMethodInfo> FMethods;
  std::vector<TFieldInfo> FFields;
  std::function<TComponent*(TComponent*)> FFactory;
};

// The object that holds the last part of a dotted property path ("Padding.Rect" gives the
// Padding object and its Rect property). Every part before the last must be a class-typed
// property with an object. Raises EReadError "Property %s does not exist" for an unknown
// part and "Invalid property path" when a part before the last is not an object.
TPersistent& ResolvePropertyPath(TPersistent& instance, std::u16string_view path, const TPropInfo*& property);

namespace class_info_detail {

template <class S>
struct TSetterArg;
template <class C, class P>
struct TSetterArg<void (C::*)(P)> {
  using Type = std::remove_cvref_t<P>;
};
template <class C, class M>
struct TSetterArg<M C::*> {
  using Type = M;
};

template <class T, class Get>
decltype(auto) Read(Get get, const TPersistent& instance) {
  return std::invoke(get, static_cast<const T&>(instance));
}

template <class T, class Set, class V>
void Write(Set set, TPersistent& instance, V&& value) {
  T& object = static_cast<T&>(instance);
  if constexpr (std::is_member_object_pointer_v<Set>)
    std::invoke(set, object) = std::forward<V>(value);
  else
    std::invoke(set, object, std::forward<V>(value));
}

}  // namespace class_info_detail

template <class T>
class TClassBuilder {
public:
  TClassBuilder(std::u16string name, const TClassInfo& parent) : FInfo(std::move(name), &parent) {}

  TClassInfo Build() { return std::move(FInfo); }

  TClassBuilder& Creatable() {
    FInfo.FFactory = [](TComponent* owner) -> TComponent* { return new T(owner); };
    return *this;
  }

  template <class Getter, class Setter>
  TClassBuilder& Integer(std::u16string name, Getter get, Setter set) {
    using V = typename class_info_detail::TSetterArg<Setter>::Type;
    static_assert(std::is_integral_v<V>, "an integer property needs an integral type");
    TPropInfo& p = Add(std::move(name), TPropKind::Integer);
    p.MinValue = static_cast<std::int64_t>(std::numeric_limits<V>::min());
    p.MaxValue = std::cmp_greater(std::numeric_limits<V>::max(), std::numeric_limits<std::int64_t>::max())
                     ? std::numeric_limits<std::int64_t>::max()
                     : static_cast<std::int64_t>(std::numeric_limits<V>::max());
    p.GetOrdinal = [get](const TPersistent& o) {
      return static_cast<std::int64_t>(class_info_detail::Read<T>(get, o));
    };
    p.SetOrdinal = [set](TPersistent& o, std::int64_t v) { class_info_detail::Write<T>(set, o, static_cast<V>(v)); };
    return *this;
  }

  template <class Getter, class Setter>
  TClassBuilder& Float(std::u16string name, Getter get, Setter set) {
    using V = typename class_info_detail::TSetterArg<Setter>::Type;
    static_assert(std::is_floating_point_v<V>, "a float property needs a floating-point type");
    TPropInfo& p = Add(std::move(name), TPropKind::Float);
    p.IsSingle = std::is_same_v<V, float>;
    p.GetFloat = [get](const TPersistent& o) { return static_cast<double>(class_info_detail::Read<T>(get, o)); };
    p.SetFloat = [set](TPersistent& o, double v) { class_info_detail::Write<T>(set, o, NarrowFloat<V>(v)); };
    return *this;
  }

  template <class Getter, class Setter>
  TClassBuilder& Boolean(std::u16string name, Getter get, Setter set) {
    Boolean(std::move(name), get);
    Last().SetOrdinal = [set](TPersistent& o, std::int64_t v) { class_info_detail::Write<T>(set, o, v != 0); };
    return *this;
  }
  // A Boolean that is only read (a state such as IsMouseOver): never written, and a stream
  // that sets it is refused.
  template <class Getter>
  TClassBuilder& Boolean(std::u16string name, Getter get) {
    TPropInfo& p = Add(std::move(name), TPropKind::Boolean);
    p.Names = {u"False", u"True"};
    p.GetOrdinal = [get](const TPersistent& o) -> std::int64_t { return class_info_detail::Read<T>(get, o) ? 1 : 0; };
    return *this;
  }

  // An enumeration whose values are named, by ordinal, in `names`.
  template <class Getter, class Setter>
  TClassBuilder& Enumeration(std::u16string name, Getter get, Setter set, TValueNames names) {
    return Named(std::move(name), TPropKind::Enumeration, get, set, std::move(names));
  }

  // A set held as a bit mask; bit i is the element named names[i].
  template <class Getter, class Setter>
  TClassBuilder& Set(std::u16string name, Getter get, Setter set, TValueNames names) {
    static_assert(std::is_unsigned_v<typename class_info_detail::TSetterArg<Setter>::Type>,
                  "a set property needs an unsigned bit mask");
    return Named(std::move(name), TPropKind::Set, get, set, std::move(names));
  }

  template <class Getter, class Setter>
  TClassBuilder& String(std::u16string name, Getter get, Setter set) {
    TPropInfo& p = Add(std::move(name), TPropKind::String);
    p.GetString = [get](const TPersistent& o) { return std::u16string(class_info_detail::Read<T>(get, o)); };
    p.SetString = [set](TPersistent& o, const std::u16string& v) { class_info_detail::Write<T>(set, o, v); };
    return *this;
  }

  // An object that the instance owns, written through its own published properties with
  // dotted names; a collection (TCollection) is written as a collection value.
  template <class Getter>
  TClassBuilder& Object(std::u16string name, Getter get) {
    TPropInfo& p = Add(std::move(name), TPropKind::Class);
    p.GetObject = [get](const TPersistent& o) -> TPersistent* { return class_info_detail::Read<T>(get, o); };
    return *this;
  }

  // A reference to another component, of the class the setter takes.
  template <class Getter, class Setter>
  TClassBuilder& Reference(std::u16string name, Getter get, Setter set) {
    using P = std::remove_pointer_t<typename class_info_detail::TSetterArg<Setter>::Type>;
    TPropInfo& p = Add(std::move(name), TPropKind::Reference);
    p.GetObject = [get](const TPersistent& o) -> TPersistent* { return class_info_detail::Read<T>(get, o); };
    p.SetReference = [set](TPersistent& o, TComponent* component) {
      P* typed = component ? dynamic_cast<P*>(component) : nullptr;
      if (component && !typed) throw EReadError(u"Invalid property value");
      class_info_detail::Write<T>(set, o, typed);
    };
    return *this;
  }

  // An event: a TEvent field, or a getter and a setter.
  template <class Member>
  TClassBuilder& Event(std::u16string name, Member member) {
    return Event(std::move(name), member, member);
  }
  template <class Getter, class Setter>
  TClassBuilder& Event(std::u16string name, Getter get, Setter set) {
    using E = typename class_info_detail::TSetterArg<Setter>::Type;
    TPropInfo& p = Add(std::move(name), TPropKind::Event);
    p.GetHandlerName = [get](const TPersistent& o) {
      const auto& event = class_info_detail::Read<T>(get, o);
      return event.Assigned() ? event.HandlerName() : std::u16string();
    };
    p.SetHandler = [set](TPersistent& o, const TMethodInfo* method, TPersistent* methodOwner) {
      if (!method) {
        class_info_detail::Write<T>(set, o, E());
        return;
      }
      if (method->Signature != typeid(typename E::TSignature) || !methodOwner)
        throw EReadError(Format(u"Handler %s does not fit the event", {method->Name}));
      auto handler = std::any_cast<typename E::THandler>(method->Bind(*methodOwner));
      class_info_detail::Write<T>(set, o, E(method->Name, std::move(handler)));
    };
    return *this;
  }

  // A property with its own stream reader and writer (none from the writer: not written).
  template <class ReadFn, class WriteFn>
  TClassBuilder& Defined(std::u16string name, ReadFn read, WriteFn write) {
    TPropInfo& p = Add(std::move(name), TPropKind::Defined);
    p.ReadData = [read](TPersistent& o, const TStreamValue& v) { std::invoke(read, static_cast<T&>(o), v); };
    p.WriteData = [write](const TPersistent& o) -> std::optional<TStreamValue> {
      return std::invoke(write, static_cast<const T&>(o));
    };
    return *this;
  }

  // A defined binary property, such as "ResourcesBin": the reader takes the bytes; the
  // writer gives them, or none when there is nothing to write.
  template <class ReadFn, class WriteFn>
  TClassBuilder& Binary(std::u16string name, ReadFn read, WriteFn write) {
    TPropInfo& p = Add(std::move(name), TPropKind::Defined);
    p.ReadData = [read](TPersistent& o, const TStreamValue& v) {
      if (v.Type != TValueType::vaBinary) throw EReadError(u"Invalid property value");
      std::invoke(read, static_cast<T&>(o),
                  std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(v.Bytes.data()), v.Bytes.size()));
    };
    p.WriteData = [write](const TPersistent& o) -> std::optional<TStreamValue> {
      const std::optional<std::vector<std::uint8_t>> bytes = std::invoke(write, static_cast<const T&>(o));
      if (!bytes) return std::nullopt;
      return MakeBinaryValue(*bytes);
    };
    return *this;
  }

  // Modifiers of the property added last.
  TClassBuilder& Default(std::int64_t value) {
    Last().OrdinalDefault = value;
    return *this;
  }
  TClassBuilder& Default(double value) {
    Last().FloatDefault = value;
    return *this;
  }
  TClassBuilder& Default(std::u16string value) {
    Last().StringDefault = std::move(value);
    return *this;
  }
  TClassBuilder& Default(const char16_t* value) { return Default(std::u16string(value)); }
  TClassBuilder& Default(bool value) { return Default(static_cast<std::int64_t>(value ? 1 : 0)); }
  TClassBuilder& Default(int value) { return Default(static_cast<std::int64_t>(value)); }
  TClassBuilder& Stored(bool stored) {
    Last().IsStored = [stored](const TPersistent&) { return stored; };
    return *this;
  }
  template <class B>
  TClassBuilder& Stored(bool (B::*predicate)() const) {
    static_assert(std::is_base_of_v<B, T>);
    Last().IsStored = [predicate](const TPersistent& o) { return (static_cast<const T&>(o).*predicate)(); };
    return *this;
  }

  // A handler method (possibly of a base class) that stored descriptions bind to events by name.
  template <class B, class... A>
  TClassBuilder& Method(std::u16string name, void (B::*method)(A...)) {
    static_assert(std::is_base_of_v<B, T>);
    TMethodInfo info;
    info.Name = std::move(name);
    info.Signature = typeid(void(A...));
    info.Bind = [method](TPersistent& self) -> std::any {
      T* object = &static_cast<T&>(self);
      return std::function<void(A...)>([object, method](A... args) { (object->*method)(std::forward<A>(args)...); });
    };
    FInfo.FMethods.push_back(std::move(info));
    return *this;
  }

  // A field that receives the owned component of the same name after a read.
  template <class C, class B>
  TClassBuilder& Field(std::u16string name, C* B::*field) {
    static_assert(std::is_base_of_v<B, T>);
    TFieldInfo info;
    info.Name = std::move(name);
    info.Set = [field](TPersistent& o, TComponent* component) {
      C* typed = component ? dynamic_cast<C*>(component) : nullptr;
      if (component && !typed) throw EReadError(u"Invalid property value");
      static_cast<T&>(o).*field = typed;
    };
    FInfo.FFields.push_back(std::move(info));
    return *this;
  }

private:
  // An ordinal property whose values (or set elements) are named.
  template <class Getter, class Setter>
  TClassBuilder& Named(std::u16string name, TPropKind kind, Getter get, Setter set, TValueNames names) {
    using V = typename class_info_detail::TSetterArg<Setter>::Type;
    TPropInfo& p = Add(std::move(name), kind);
    p.Names = std::move(names);
    p.GetOrdinal = [get](const TPersistent& o) {
      return static_cast<std::int64_t>(class_info_detail::Read<T>(get, o));
    };
    p.SetOrdinal = [set](TPersistent& o, std::int64_t v) { class_info_detail::Write<T>(set, o, static_cast<V>(v)); };
    return *this;
  }

  template <class V>
  static V NarrowFloat(double value) {
    if constexpr (std::is_same_v<V, float>) {
      // Out of range gives an infinity, as the hardware would, without undefined behaviour.
      if (value > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
      if (value < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
    }
    return static_cast<V>(value);
  }

  TPropInfo& Add(std::u16string name, TPropKind kind) {
    TPropInfo& p = FInfo.FProperties.emplace_back();
    p.Name = std::move(name);
    p.Kind = kind;
    return p;
  }
  TPropInfo& Last() { return FInfo.FProperties.back(); }

  TClassInfo FInfo;
};

}  // namespace vd
