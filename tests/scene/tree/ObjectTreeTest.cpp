// The object tree: adding, moving, removing and reordering children, freeing objects
// wherever they are, the notify list, the registry of all objects and delayed release.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scene/CustomScene.h"
#include "scene/controls/TextControls.h"
#include "scene/layout/Containers.h"
#include "scene/tree/ObjectRegistry.h"
#include "tests/scene/SceneTestSupport.h"

namespace vd {
namespace {

using scene_test::TManualClock;
using scene_test::TStandInHost;

// The names of the children, in order.
std::string Order(const TvgObject& parent) {
  std::string out;
  for (const TvgObject* child : parent.ChildList()) out += static_cast<char>(child->Name()[0]);
  return out;
}

// Records the objects it is told of, in order.
class TNotifyRecorder : public IvgFreeNotify {
public:
  explicit TNotifyRecorder(std::vector<std::string>& log, std::string name) : FLog(log), FName(std::move(name)) {}
  void FreeNotification(TvgObject* AObject) override {
    FLog.push_back(FName + ":" + std::string(AObject->Name().begin(), AObject->Name().end()));
  }

private:
  std::vector<std::string>& FLog;
  std::string FName;
};

class ObjectTreeTest : public ::testing::Test {
protected:
  void SetUp() override {
    FScene.SetHost(&FHost);
    FRoot = Make<TvgLayout>(u"r");
    FScene.AddObject(FRoot);
    for (const char16_t* name : {u"a", u"b", u"c", u"d"}) FRoot->AddObject(Make<TvgLayout>(name));
  }

  template <class T>
  T* Make(std::u16string name) {
    auto* object = new T(&FOwner);
    object->SetName(name);
    return object;
  }
  TvgObject* Child(char name) const { return dynamic_cast<TvgObject*>(FOwner.FindComponent(std::u16string(1, name))); }

  TComponent FOwner{nullptr};
  TStandInHost FHost;
  TvgCustomScene FScene{nullptr};
  TvgObject* FRoot = nullptr;
};

TEST_F(ObjectTreeTest, AddingAppendsAndHandsDownTheScene) {
  EXPECT_EQ(Order(*FRoot), "abcd");
  EXPECT_EQ(FScene.GetRoot(), FRoot);
  TvgObject* c = Child('c');
  EXPECT_EQ(c->Parent(), FRoot);
  EXPECT_EQ(c->Scene(), &FScene);
  EXPECT_EQ(FRoot->GetParentComponent(), &FScene);
  EXPECT_EQ(c->GetParentComponent(), FRoot);

  // Moving into another parent takes it out of the first.
  Child('a')->AddObject(c);
  EXPECT_EQ(Order(*FRoot), "abd");
  EXPECT_EQ(Order(*Child('a')), "c");
  EXPECT_EQ(c->Scene(), &FScene);
  // None, a child again, the object itself and an ancestor are refused.
  Child('a')->AddObject(nullptr);
  Child('a')->AddObject(c);
  c->AddObject(c);
  c->AddObject(FRoot);
  c->SetParent(c);
  EXPECT_EQ(Order(*Child('a')), "c");
  EXPECT_EQ(FRoot->Parent(), nullptr);
  EXPECT_EQ(c->ChildrenCount(), 0);
}

TEST_F(ObjectTreeTest, ParentSetterMovesRootObjectsAndRemovingLeavesTheScene) {
  TvgObject* loose = Make<TvgLayout>(u"x");
  FScene.AddObject(loose);
  EXPECT_EQ(FScene.Count(), 2);
  loose->SetParent(Child('b'));
  EXPECT_EQ(FScene.Count(), 1);
  EXPECT_EQ(loose->Scene(), &FScene);
  loose->SetParent(nullptr);
  EXPECT_EQ(loose->Scene(), nullptr);
  EXPECT_EQ(Child('b')->ChildrenCount(), 0);

  EXPECT_EQ(Child('d')->Index(), 3);
  FRoot->RemoveObject(Child('b'));
  FRoot->RemoveObject(loose);  // not a child: nothing happens
  EXPECT_EQ(Order(*FRoot), "acd");
  EXPECT_EQ(Child('b')->Parent(), nullptr);
  EXPECT_EQ(Child('b')->Scene(), nullptr);
  EXPECT_EQ(Child('d')->Index(), 2);
}

TEST_F(ObjectTreeTest, ReorderingChildren) {
  const auto index = [&](char name) { return Child(name)->Index(); };
  Child('a')->SetIndex(2);
  EXPECT_EQ(Order(*FRoot), "bcad");
  EXPECT_EQ(index('a'), 2);
  Child('b')->SetIndex(99);  // held inside the list
  EXPECT_EQ(Order(*FRoot), "cadb");
  Child('c')->BringToFront();
  EXPECT_EQ(Order(*FRoot), "adbc");
  Child('b')->SendToBack();
  EXPECT_EQ(Order(*FRoot), "badc");
  EXPECT_EQ(index('c'), 3);
  FRoot->Exchange(Child('b'), Child('c'));
  EXPECT_EQ(Order(*FRoot), "cadb");
  EXPECT_EQ(index('c'), 0);
  EXPECT_EQ(index('b'), 3);
  FRoot->Exchange(Child('a'), FRoot);  // not both children: nothing happens
  EXPECT_EQ(Order(*FRoot), "cadb");
  // Equal ones keep their order.
  FRoot->Sort([](TvgObject* x, TvgObject* y) { return (x->Name() < u"c") - (y->Name() < u"c"); });
  EXPECT_EQ(Order(*FRoot), "cdab");
  EXPECT_EQ(index('a'), 2);
}

TEST_F(ObjectTreeTest, ListsTheSubtreeDepthFirst) {
  auto* label = Make<TvgLabel>(u"l");
  Child('b')->AddObject(label);
  Child('a')->AddObject(Make<TvgLabel>(u"m"));
  std::vector<TvgObject*> objects;
  FRoot->AddObjectsToList(objects);
  std::string names;
  for (TvgObject* object : objects) names += static_cast<char>(object->Name()[0]);
  EXPECT_EQ(names, "ramblcd");
  std::vector<TvgControl*> controls;
  FRoot->AddControlsToList(controls);
  ASSERT_EQ(controls.size(), 2u);
  EXPECT_EQ(controls[1], label);
}

TEST_F(ObjectTreeTest, DeletingChildrenFreesThemWhoeverOwnsThem) {
  std::vector<std::string> log;
  TNotifyRecorder recorder(log, "n");
  for (char name : std::string("abcd")) Child(name)->AddFreeNotify(&recorder);
  FRoot->DeleteChildren();
  EXPECT_EQ(log, (std::vector<std::string>{"n:d", "n:c", "n:b", "n:a"}));
  EXPECT_EQ(FRoot->ChildrenCount(), 0);
  EXPECT_EQ(FOwner.ComponentCount(), 1);  // only the root is left
}

TEST_F(ObjectTreeTest, DeletingChildrenRepaintsWhereTheyWere) {
  TvgVisualObject& root = *FRoot->Visual();
  root.SetSize(100, 100);
  Child('c')->Visual()->Position()->SetPoint({60, 30});
  FHost.FDamage.clear();
  root.DeleteChildren();
  ASSERT_FALSE(FHost.FDamage.empty());
  TvgRect damaged = FHost.FDamage.front();
  for (const TvgRect& rect : FHost.FDamage) damaged = UnionRect(damaged, rect);
  EXPECT_EQ(damaged, (TvgRect{0, 0, 110, 80}));
}

TEST_F(ObjectTreeTest, ObjectsThatComeAndGoLeaveTheRegistryAsLargeAsItWas) {
  const std::size_t entries = ObjectRegistry().size();
  TvgObject* holder = Child('a');
  for (int round = 0; round < 1000; ++round) {
    for (int i = 0; i < 100; ++i) holder->AddObject(new TvgLayout(holder));
    holder->DeleteChildren();
  }
  EXPECT_EQ(ObjectRegistry().size(), entries);
}

TEST_F(ObjectTreeTest, FreeingAnObjectTakesItOutOfTheTree) {
  std::vector<std::string> log;
  TNotifyRecorder first(log, "1");
  TNotifyRecorder second(log, "2");
  TvgObject* b = Child('b');
  b->AddObject(Make<TvgLayout>(u"e"));
  b->AddFreeNotify(&first);
  b->AddFreeNotify(&second);
  b->AddFreeNotify(&first);  // once only
  FScene.SetCaptured(b->Visual());
  EXPECT_TRUE(FHost.FCaptured);
  const std::size_t entries = ObjectRegistry().size();

  delete b;
  EXPECT_EQ(log, (std::vector<std::string>{"2:b", "1:b"}));
  EXPECT_EQ(Order(*FRoot), "acd");
  EXPECT_EQ(FScene.GetCaptured(), nullptr);
  EXPECT_FALSE(FHost.FCaptured);
  EXPECT_EQ(FOwner.FindComponent(u"e"), nullptr);  // its child went with it
  // It and its child leave the registry of live objects.
  EXPECT_EQ(ObjectRegistry().size(), entries - 2);
  EXPECT_EQ(std::find(ObjectRegistry().begin(), ObjectRegistry().end(), b), ObjectRegistry().end());
}

TEST_F(ObjectTreeTest, DamageCoversTheOldAndTheNewPlace) {
  FRoot->Visual()->SetSize(100, 100);
  TvgVisualObject& b = *Child('b')->Visual();
  b.Position()->SetPoint({10, 20});
  b.SetSize(30, 40);
  FHost.FDamage.clear();
  b.Position()->SetPoint({50, 20});
  ASSERT_EQ(FHost.FDamage.size(), 1u);
  EXPECT_EQ(FHost.FDamage[0], (TvgRect{10, 20, 80, 60}));
  FRoot->Visual()->Position()->SetPoint({5, 5});
  FHost.FDamage.clear();
  b.BringToFront();
  EXPECT_EQ(FHost.FDamage.back(), (TvgRect{50, 20, 85, 65}));  // where it was painted, and where it is
}

TEST_F(ObjectTreeTest, ReleaseFreesTheObjectLater) {
  TManualClock clock;
  std::vector<std::string> log;
  TNotifyRecorder recorder(log, "n");
  Child('c')->AddFreeNotify(&recorder);
  Child('c')->Release(1.5f);
  clock.Advance(1499);
  EXPECT_TRUE(log.empty());
  clock.Advance(1);
  EXPECT_EQ(log, std::vector<std::string>{"n:c"});
  EXPECT_EQ(Order(*FRoot), "abd");
}

TEST_F(ObjectTreeTest, GlobalLookupFindsTheNewestLiveStoredObject) {
  Child('a')->SetResourceName(u"Face");
  Child('b')->SetResourceName(u"face");
  Child('c')->SetResourceName(u"FACE");
  Child('c')->SetStored(false);
  EXPECT_EQ(FindGlobalResource(u"face"), Child('b'));
  delete Child('b');
  EXPECT_EQ(FindGlobalResource(u"FaCe"), Child('a'));
  EXPECT_EQ(FindGlobalResource(u""), nullptr);
}

}  // namespace
}  // namespace vd
