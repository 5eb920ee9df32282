#pragma once
// Registered classes with a property of every kind, for the fuzz targets of the object
// stream readers: whatever a stream holds is applied to them as a form would be.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/ClassInfo.h"
#include "core/ClassRegistry.h"
#include "core/Collection.h"
#include "core/Component.h"

namespace vd::fuzz {

class TFuzzPadding : public TPersistent {
public:
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TFuzzPadding>(u"TFuzzPadding", TPersistent::StaticClassInfo())
                                       .Float(u"Left", &TFuzzPadding::Left, &TFuzzPadding::Left)
                                       .Set(u"Sides", &TFuzzPadding::Sides, &TFuzzPadding::Sides, {u"a", u"b", u"c"})
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  float Left = 0;
  std::uint8_t Sides = 0;
};

class TFuzzItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TFuzzItem>(u"TFuzzItem", TPersistent::StaticClassInfo())
                                       .String(u"Text", &TFuzzItem::Text, &TFuzzItem::Text)
                                       .Reference(u"Link", &TFuzzItem::Link, &TFuzzItem::Link)
                                       .Event(u"OnEvent", &TFuzzItem::OnEvent)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  std::u16string Text;
  TComponent* Link = nullptr;
  TNotifyEvent OnEvent;
};

class TFuzzNode : public TComponent {
public:
  explicit TFuzzNode(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TFuzzNode>(u"TFuzzNode", TComponent::StaticClassInfo())
            .Creatable()
            .Integer(u"Small", &TFuzzNode::Small, &TFuzzNode::Small)
            .Integer(u"Big", &TFuzzNode::Big, &TFuzzNode::Big)
            .Float(u"Ratio", &TFuzzNode::Ratio, &TFuzzNode::Ratio)
            .Boolean(u"Flag", &TFuzzNode::Flag, &TFuzzNode::Flag)
            .Enumeration(u"Mode", &TFuzzNode::Mode, &TFuzzNode::Mode, {u"mNone", u"mOne", u"mTwo"})
            .String(u"Caption", &TFuzzNode::Caption, &TFuzzNode::Caption)
            .Object(u"Padding", &TFuzzNode::Padding)
            .Object(u"Items", &TFuzzNode::Items)
            .Reference(u"Buddy", &TFuzzNode::Buddy, &TFuzzNode::Buddy)
            .Event(u"OnClick", &TFuzzNode::OnClick)
            .Event(u"OnValue", &TFuzzNode::OnValue)
            .Binary(u"Data", &TFuzzNode::ReadData, &TFuzzNode::WriteData)
            .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  void SetParentComponent(TComponent* parent) override { FParent = parent; }
  TComponent* GetParentComponent() const override { return FParent == Owner() ? nullptr : FParent; }

  std::int8_t Small = 0;
  std::int64_t Big = 0;
  double Ratio = 0;
  bool Flag = false;
  int Mode = 0;
  std::u16string Caption;
  TFuzzPadding* Padding() const { return FPadding.get(); }
  TTypedCollection<TFuzzItem>* Items() const { return FItems.get(); }
  TComponent* Buddy = nullptr;
  TNotifyEvent OnClick;
  TEvent<int> OnValue;
  std::vector<std::uint8_t> Data;

private:
  void ReadData(std::span<const std::uint8_t> bytes) { Data.assign(bytes.begin(), bytes.end()); }
  std::optional<std::vector<std::uint8_t>> WriteData() const { return Data; }

  TComponent* FParent = nullptr;
  std::unique_ptr<TFuzzPadding> FPadding = std::make_unique<TFuzzPadding>();
  std::unique_ptr<TTypedCollection<TFuzzItem>> FItems = std::make_unique<TTypedCollection<TFuzzItem>>();
};

// A root whose handler methods the streams may bind.
class TFuzzRoot : public TFuzzNode {
public:
  using TFuzzNode::TFuzzNode;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TFuzzRoot>(u"TFuzzRoot", TFuzzNode::StaticClassInfo())
                                       .Creatable()
                                       .Method(u"Clicked", &TFuzzRoot::Clicked)
                                       .Method(u"Valued", &TFuzzRoot::Valued)
                                       .Field(u"Node1", &TFuzzRoot::Node1)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  void Clicked(TComponent*) {}
  void Valued(int) {}
  TFuzzNode* Node1 = nullptr;
};

inline void RegisterFuzzClasses() {
  static const bool registered = [] {
    RegisterComponentClasses({&TFuzzNode::StaticClassInfo(), &TFuzzRoot::StaticClassInfo()});
    return true;
  }();
  (void)registered;
}

}  // namespace vd::fuzz
