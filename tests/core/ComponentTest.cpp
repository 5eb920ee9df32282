#include "core/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vd {
namespace {

std::vector<std::u16string>* gDestroyed = nullptr;

class TRecorded : public TComponent {
public:
  TRecorded(TComponent* owner, const std::u16string& name) : TComponent(owner) { SetName(name); }
  ~TRecorded() override {
    DestroyComponents();
    if (gDestroyed) gDestroyed->push_back(Name());
  }
  std::vector<std::pair<std::u16string, TOperation>> FNotifications;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    FNotifications.emplace_back(AComponent->Name(), Operation);
  }
};

class ComponentTest : public ::testing::Test {
protected:
  void SetUp() override { gDestroyed = &FDestroyed; }
  void TearDown() override { gDestroyed = nullptr; }
  std::vector<std::u16string> FDestroyed;
};

TEST_F(ComponentTest, OwnerFreesOwnedInReverseCreationOrderDepthFirst) {
  {
    TRecorded form(nullptr, u"Form");
    auto* a = new TRecorded(&form, u"A");
    new TRecorded(a, u"A1");
    new TRecorded(&form, u"B");
    new TRecorded(&form, u"C");
    ASSERT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(form.Components(1)->Name(), u"B");
    EXPECT_EQ(a->ComponentIndex(), 0);
  }
  EXPECT_EQ(FDestroyed, (std::vector<std::u16string>{u"C", u"B", u"A1", u"A", u"Form"}));
}

TEST_F(ComponentTest, FreeingAnOwnedComponentTakesItOutOfItsOwnerAndTellsTheSiblings) {
  TRecorded form(nullptr, u"Form");
  auto* a = new TRecorded(&form, u"A");
  auto* b = new TRecorded(&form, u"B");
  delete a;
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), b);
  ASSERT_FALSE(b->FNotifications.empty());
  EXPECT_EQ(b->FNotifications.back().first, u"A");
  EXPECT_EQ(b->FNotifications.back().second, TOperation::opRemove);
  // The owner heard of both insertions (before the names were set) and of the removal.
  ASSERT_EQ(form.FNotifications.size(), 3u);
  EXPECT_EQ(form.FNotifications[0].second, TOperation::opInsert);
  EXPECT_EQ(form.FNotifications[2], std::make_pair(std::u16string(u"A"), TOperation::opRemove));
}

TEST_F(ComponentTest, FreeNotificationReachesAComponentOfAnotherOwnerOnceAndCanBeWithdrawn) {
  TRecorded left(nullptr, u"Left");
  TRecorded right(nullptr, u"Right");
  auto* watched = new TRecorded(&left, u"Watched");
  auto* other = new TRecorded(&left, u"Other");
  watched->FreeNotification(&right);
  watched->FreeNotification(&right);
  other->FreeNotification(&right);
  other->RemoveFreeNotification(&right);
  delete watched;
  delete other;
  ASSERT_EQ(right.FNotifications.size(), 1u);
  EXPECT_EQ(right.FNotifications[0].first, u"Watched");
}

TEST_F(ComponentTest, AWatcherThatGoesFirstIsNotToldLater) {
  TRecorded owner(nullptr, u"Owner");
  auto* watched = new TRecorded(&owner, u"Watched");
  {
    TRecorded watcher(nullptr, u"Watcher");
    watched->FreeNotification(&watcher);
  }
  delete watched;  // must not reach the freed watcher
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(ComponentTest, FindComponentIgnoresAsciiCaseAndEmptyNames) {
  TRecorded form(nullptr, u"Form");
  auto* tray = new TRecorded(&form, u"TrayIcon1");
  new TRecorded(&form, u"");
  EXPECT_EQ(form.FindComponent(u"trayicon1"), tray);
  EXPECT_EQ(form.FindComponent(u"TrayIcon2"), nullptr);
  EXPECT_EQ(form.FindComponent(u""), nullptr);
}

TEST_F(ComponentTest, InsertingIntoAnotherOwnerMovesTheComponent) {
  TRecorded first(nullptr, u"First");
  TRecorded second(nullptr, u"Second");
  auto* item = new TRecorded(&first, u"Item");
  second.InsertComponent(item);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(item->Owner(), &second);
}

}  // namespace
}  // namespace vd
