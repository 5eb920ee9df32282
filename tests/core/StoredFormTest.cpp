// A form created from its stored description as the build compiles it (forms/Sample.form,
// compiled by formc through vd_compile_form): components created by class name in order,
// nested menu items, handlers bound by name, a reference resolved after the read, fields
// filled, artwork pulled in from its PNG file, Loaded for every component.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/ClassInfo.h"
#include "core/ClassRegistry.h"
#include "core/ComponentReader.h"
#include "core/ComponentWriter.h"

namespace vd {
namespace {

std::vector<std::uint8_t> ReadBytes(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class TSampleMenuItem : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override { return FMenu; }

  std::u16string Caption;
  TNotifyEvent OnClick;

private:
  TComponent* FMenu = nullptr;
};

class TSampleMenu : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TSampleMenu>(u"TSampleMenu", TComponent::StaticClassInfo()).Creatable().Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent*) const override {
    for (TSampleMenuItem* item : Items) proc(item);
  }
  std::vector<TSampleMenuItem*> Items;
};

void TSampleMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TSampleMenu*>(parent)) {
    FMenu = menu;
    menu->Items.push_back(this);
  }
}

const TClassInfo& TSampleMenuItem::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TSampleMenuItem>(u"TSampleMenuItem", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .String(u"Caption", &TSampleMenuItem::Caption, &TSampleMenuItem::Caption)
                                     .Event(u"OnClick", &TSampleMenuItem::OnClick)
                                     .Build();
  return info;
}

class TSampleTray : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TSampleTray>(u"TSampleTray", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Reference(u"PopupMenu", &TSampleTray::PopupMenu, &TSampleTray::PopupMenu)
                                       .Event(u"OnClick", &TSampleTray::OnClick)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  TSampleMenu* PopupMenu = nullptr;
  TNotifyEvent OnClick;
};

class TSampleImage : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TSampleImage>(u"TSampleImage", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Binary(u"Picture", &TSampleImage::ReadPicture, &TSampleImage::WritePicture)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  std::vector<std::uint8_t> Picture;

private:
  void ReadPicture(std::span<const std::uint8_t> bytes) { Picture.assign(bytes.begin(), bytes.end()); }
  std::optional<std::vector<std::uint8_t>> WritePicture() const { return Picture; }
};

class TSampleTimer : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TSampleTimer>(u"TSampleTimer", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Boolean(u"Enabled", &TSampleTimer::Enabled, &TSampleTimer::Enabled)
                                       .Default(true)
                                       .Integer(u"Interval", &TSampleTimer::Interval, &TSampleTimer::Interval)
                                       .Default(1000)
                                       .Event(u"OnTimer", &TSampleTimer::OnTimer)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }
  void Loaded() override {
    TComponent::Loaded();
    WasLoaded = true;
  }
  bool Enabled = true;
  std::uint32_t Interval = 1000;
  TNotifyEvent OnTimer;
  bool WasLoaded = false;
};

class TSampleForm : public TComponent {
public:
  explicit TSampleForm(std::span<const std::uint8_t> stored) : TComponent(nullptr) {
    Errors = ReadComponent(*this, stored);
  }
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TSampleForm>(u"TSampleForm", TComponent::StaticClassInfo())
                                       .String(u"Caption", &TSampleForm::Caption, &TSampleForm::Caption)
                                       .Method(u"TrayIconDblClick", &TSampleForm::TrayIconDblClick)
                                       .Method(u"Config1Click", &TSampleForm::Config1Click)
                                       .Method(u"Exit1Click", &TSampleForm::Exit1Click)
                                       .Method(u"TimerDeviceArrialTimer", &TSampleForm::TimerDeviceArrialTimer)
                                       .Field(u"TrayIcon1", &TSampleForm::TrayIcon1)
                                       .Field(u"MyPopupMenu", &TSampleForm::MyPopupMenu)
                                       .Field(u"TimerDeviceArrial", &TSampleForm::TimerDeviceArrial)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  void TrayIconDblClick(TComponent*) { Log.push_back(u"TrayIconDblClick"); }
  void Config1Click(TComponent*) { Log.push_back(u"Config1Click"); }
  void Exit1Click(TComponent*) { Log.push_back(u"Exit1Click"); }
  void TimerDeviceArrialTimer(TComponent*) { Log.push_back(u"TimerDeviceArrialTimer"); }

  std::u16string Caption;
  TSampleTray* TrayIcon1 = nullptr;
  TSampleMenu* MyPopupMenu = nullptr;
  TSampleTimer* TimerDeviceArrial = nullptr;
  std::vector<std::u16string> Log;
  std::vector<std::u16string> Errors;
};

TEST(StoredFormTest, TheCompiledFormCreatesItsComponentsAndBindsThemByName) {
  RegisterComponentClasses({&TSampleTray::StaticClassInfo(), &TSampleMenu::StaticClassInfo(),
                            &TSampleMenuItem::StaticClassInfo(), &TSampleImage::StaticClassInfo(),
                            &TSampleTimer::StaticClassInfo()});
  const std::vector<std::uint8_t> stored = ReadBytes(VD_SAMPLE_FORM);
  ASSERT_FALSE(stored.empty()) << "missing " << VD_SAMPLE_FORM;
  TSampleForm form(stored);
  EXPECT_TRUE(form.Errors.empty());

  EXPECT_EQ(form.Name(), u"SampleMain");
  EXPECT_EQ(form.Caption, u"VD_MONITOR_EX");
  const std::vector<std::pair<std::u16string, std::u16string>> expected = {
      {u"TrayIcon1", u"TSampleTray"}, {u"MyPopupMenu", u"TSampleMenu"}, {u"Config1", u"TSampleMenuItem"},
      {u"Exit1", u"TSampleMenuItem"}, {u"ImageMain", u"TSampleImage"},  {u"TimerDeviceArrial", u"TSampleTimer"}};
  ASSERT_EQ(form.ComponentCount(), static_cast<int>(expected.size()));
  for (int i = 0; i < form.ComponentCount(); ++i) {
    EXPECT_EQ(form.Components(i)->Name(), expected[static_cast<std::size_t>(i)].first);
    EXPECT_EQ(form.Components(i)->ClassName(), expected[static_cast<std::size_t>(i)].second);
  }

  ASSERT_NE(form.TrayIcon1, nullptr);
  EXPECT_EQ(form.TrayIcon1->PopupMenu, form.MyPopupMenu);
  ASSERT_EQ(form.MyPopupMenu->Items.size(), 2u);
  EXPECT_EQ(form.MyPopupMenu->Items[0]->Caption, u"Config");
  EXPECT_EQ(form.MyPopupMenu->Items[1]->OnClick.HandlerName(), u"Exit1Click");
  EXPECT_EQ(form.TimerDeviceArrial->Interval, 1500u);
  EXPECT_FALSE(form.TimerDeviceArrial->Enabled);
  EXPECT_TRUE(form.TimerDeviceArrial->WasLoaded);

  form.TrayIcon1->OnClick(form.TrayIcon1);
  form.MyPopupMenu->Items[0]->OnClick(form.MyPopupMenu->Items[0]);
  form.TimerDeviceArrial->OnTimer(form.TimerDeviceArrial);
  EXPECT_EQ(form.Log, (std::vector<std::u16string>{u"TrayIconDblClick", u"Config1Click", u"TimerDeviceArrialTimer"}));

  EXPECT_EQ(static_cast<TSampleImage*>(form.FindComponent(u"ImageMain"))->Picture, ReadBytes(VD_SAMPLE_PICTURE));

  // What the form writes back is what was compiled.
  EXPECT_EQ(WriteComponentStream(form), stored);
}

}  // namespace
}  // namespace vd
