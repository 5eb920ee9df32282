#pragma once
// TDM, the data module that holds the profile store in memory: the profile group record,
// the all-settings record and the five game profiles, the current one also copied into a
// working record. Creating it loads the whole store from the user's registry key and the
// profile files, writing factory defaults where nothing is stored. The monitor reloads parts
// of it when the configurator announces changes, follows the profile switches made on the
// mouse, and reads the current profile's button functions and the language.
//
// Each record lives in the stream of its TksProfile component ("load" fills a stream from
// the registry or a file); the working copies are read from those streams ("read").

#include <array>
#include <cstdint>
#include <string>

#include "core/ClassInfo.h"
#include "core/Component.h"
#include "core/Event.h"
#include "hid/MouseReport.h"
#include "profile/ProfileRecords.h"
#include "profile/ksProfile.h"

namespace vd {

class TDM : public TComponent {
public:
  // Reads the module's stored description (its components and their handlers), then runs
  // OnCreate. An error of OnCreate is reported in the application's standard error box and
  // the module goes on as far as it got.
  explicit TDM(TComponent* AOwner);
  // Publishes OnCreate, the handler methods and the component fields below.
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassType() const override { return StaticClassInfo(); }

  static constexpr int ProfileCount = MouseProfileCount;
  static bool IsProfileIndexInRange(int index) { return index >= 0 && index < ProfileCount; }

  // Makes profile `index` the current one (in memory only); false for an index outside 0..4.
  bool SwitchToProfile(int index);
  // The mouse switched to profile `index` (0..4): it becomes the current one at once, in
  // memory, as a reload would make it (its record read again from the registry, and the
  // profile group's selected index), and it is written as `ProfileID`, the one value
  // written. Answers whether `ProfileID` was written; an index outside 0..4 changes nothing.
  bool SwitchToProfileAndWriteProfileID(int index);
  // Load the group record (defaults written when nothing is stored), read it, and take the
  // current group and its profile index. A group outside 0..1 raises a range error.
  void LoadProfileGroupSettingInfoFromRegistry();
  // Load the all-settings record (defaults written when nothing is stored) and read it.
  void LoadAllProfileInfoFromRegistry();
  // Load the current profile's registry value and read the stream into the current profile
  // whatever the outcome; answers the load's result. An index outside 0..4 raises a range error.
  bool LoadCurrentProfileInfoFromRegistry();
  // What the configurator's "profile changed" asks for: reload the group record, the
  // all-settings record and the current profile, then write `profileID` as the active
  // profile (WriteProfileID). Errors are raised as the steps raise them.
  void ReloadChangedProfile(std::int32_t profileID);
  // The profile folder in the user's documents folder, without a trailing backslash;
  // created when missing.
  std::u16string GetPersonalDocumentProfileFolder();

  const TALLGAMESINFO& AllProfileSettingInfo() const { return FAllProfileSettingInfo; }
  const TProfileSettingGroup& ProfileSettingGroup() const { return FProfileSettingGroup; }
  const TMouseProfileInfo& CurrentProfileInfo() const { return FCurrentProfileInfo; }
  std::int32_t ProfileGroupIndex() const { return FProfileGroupIndex; }
  std::int32_t ProfileIndex() const { return FProfileIndex; }
  TksProfile* ProfileGroup(int index) const { return FProfileGroup.at(static_cast<std::size_t>(index)); }

  // Event and handlers of the module's stored description.
  TNotifyEvent OnCreate;
  void DataModuleCreate(TComponent* Sender);
  void ksProfileAllSettingInfoRestoreToDefault(TksProfileStream& AStream);
  void ksProfileGame1RestoreToDefault(TksProfileStream& AStream);
  void ksProfileGame2RestoreToDefault(TksProfileStream& AStream);
  void ksProfileGame3RestoreToDefault(TksProfileStream& AStream);
  void ksProfileGame4RestoreToDefault(TksProfileStream& AStream);
  void ksProfileGame5RestoreToDefault(TksProfileStream& AStream);
  void ksProfileSettingGroupRestoreToDefault(TksProfileStream& AStream);

  // Components of the module's stored description.
  TksProfile* ksProfileAllSettingInfo = nullptr;
  TksProfile* ksProfileGame1 = nullptr;
  TksProfile* ksProfileGame2 = nullptr;
  TksProfile* ksProfileGame3 = nullptr;
  TksProfile* ksProfileGame4 = nullptr;
  TksProfile* ksProfileGame5 = nullptr;
  TksProfile* ksProfileSettingGroup = nullptr;

private:
  void DoCreate();
  void InitProfileStore();
  void LoadGameProfile(int index);
  void ReadProfileSettingGroup();

  TALLGAMESINFO FAllProfileSettingInfo{};
  std::array<TksProfile*, ProfileCount> FProfileGroup{};
  TProfileSettingGroup FProfileSettingGroup{};
  std::int32_t FProfileGroupIndex = 0;
  std::int32_t FProfileIndex = 0;
  TMouseProfileInfo FCurrentProfileInfo{};
};

}  // namespace vd
