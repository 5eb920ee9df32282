#include "profile/DataModule.h"

#include <cstring>
#include <memory>
#include <vector>

#include "base/Errors.h"
#include "base/Strings.h"
#include "core/Application.h"
#include "core/ClassRegistry.h"
#include "core/StoredForm.h"
#include "platform/EventLog.h"
#include "platform/Platform.h"
#include "profile/FactoryDefaults.h"
#include "profile/ProfileID.h"
#include "profile/ProfileStoreNames.h"

namespace vd {

namespace {

using platform::Platform;

// Gives a record's component its registry place and a stream of `size` zero bytes.
void PlaceRecord(TksProfile& profile, const std::u16string& valueName, std::size_t size) {
  profile.SetRootKey(RootKeyCurrentUser);
  profile.SetFileName(valueName);
  profile.SetKeyPath(ProfileStoreKeyPath);
  const std::vector<std::uint8_t> zeros(size);
  profile.Write(zeros.data(), static_cast<std::int32_t>(size));
}

void LoadOrRestoreAndSave(TksProfile& profile) {
  if (profile.LoadStreamFromRegistry()) return;
  profile.RestoreToDefault();
  profile.SaveStreamToRegistry();
}

// Runs `edit` on the record held by a stream. The stream is first brought to exactly the
// record's size (keeping its leading bytes): a stream that took a shorter or longer stored
// value must neither be written past its end nor saved back with a foreign size. What
// `edit` changed is kept even when it raises.
template <typename TRecord, typename TEdit>
void EditRecordInStream(TksProfileStream& stream, TEdit edit) {
  stream.resize(sizeof(TRecord));
  const auto record = std::make_unique<TRecord>();
  std::memcpy(record.get(), stream.data(), sizeof(TRecord));
  struct TWriteBack {
    TksProfileStream& Stream;
    const TRecord& Record;
    ~TWriteBack() { std::memcpy(Stream.data(), &Record, sizeof(TRecord)); }
  } writeBack{stream, *record};
  edit(*record);
}

void RestoreGame(TksProfileStream& stream, int game) {
  EditRecordInStream<TMouseProfileInfo>(stream, [game](TMouseProfileInfo& p) { SetGameProfileDefaults(p, game); });
}

}  // namespace

TDM::TDM(TComponent* AOwner) : TComponent(AOwner) {
  RegisterComponentClass(TksProfile::StaticClassInfo());
  ReadStoredForm(*this);
  // Valid from the start, so that a reload after a start-up that ended early finds every slot.
  FProfileGroup = {ksProfileGame1, ksProfileGame2, ksProfileGame3, ksProfileGame4, ksProfileGame5};
  DoCreate();
}

const TClassInfo& TDM::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TDM>(u"TDM", TComponent::StaticClassInfo())
          .Event(u"OnCreate", &TDM::OnCreate)
          .Method(u"DataModuleCreate", &TDM::DataModuleCreate)
          .Method(u"ksProfileAllSettingInfoRestoreToDefault", &TDM::ksProfileAllSettingInfoRestoreToDefault)
          .Method(u"ksProfileGame1RestoreToDefault", &TDM::ksProfileGame1RestoreToDefault)
          .Method(u"ksProfileGame2RestoreToDefault", &TDM::ksProfileGame2RestoreToDefault)
          .Method(u"ksProfileGame3RestoreToDefault", &TDM::ksProfileGame3RestoreToDefault)
          .Method(u"ksProfileGame4RestoreToDefault", &TDM::ksProfileGame4RestoreToDefault)
          .Method(u"ksProfileGame5RestoreToDefault", &TDM::ksProfileGame5RestoreToDefault)
          .Method(u"ksProfileSettingGroupRestoreToDefault", &TDM::ksProfileSettingGroupRestoreToDefault)
          .Field(u"ksProfileAllSettingInfo", &TDM::ksProfileAllSettingInfo)
          .Field(u"ksProfileGame1", &TDM::ksProfileGame1)
          .Field(u"ksProfileGame2", &TDM::ksProfileGame2)
          .Field(u"ksProfileGame3", &TDM::ksProfileGame3)
          .Field(u"ksProfileGame4", &TDM::ksProfileGame4)
          .Field(u"ksProfileGame5", &TDM::ksProfileGame5)
          .Field(u"ksProfileSettingGroup", &TDM::ksProfileSettingGroup)
          .Build();
  return info;
}

void TDM::DoCreate() {
  RunReportingErrors([this] { OnCreate(this); });
}

void TDM::DataModuleCreate(TComponent*) { InitProfileStore(); }

void TDM::InitProfileStore() {
  FProfileGroupIndex = 0;
  // Both fixed records get their place before anything is loaded, so that a reload after a
  // start-up that ended early still finds them.
  PlaceRecord(*ksProfileSettingGroup, ProfileGroupValueName, sizeof(TProfileSettingGroup));
  PlaceRecord(*ksProfileAllSettingInfo, AllSettingValueName, sizeof(TALLGAMESINFO));
  LoadProfileGroupSettingInfoFromRegistry();
  LoadAllProfileInfoFromRegistry();
  for (int i = 0; i < ProfileCount; ++i) LoadGameProfile(i);
  SwitchToProfile(FAllProfileSettingInfo.CurrentGame);
}

void TDM::LoadGameProfile(int index) {
  const TPROFILE_SETTING& entry = FProfileSettingGroup.ProfileSettingList[index];
  TksProfile& game = *FProfileGroup[static_cast<std::size_t>(index)];
  game.SetRootKey(RootKeyCurrentUser);
  game.SetFileName(FieldText(entry.FileName));
  game.SetFilePath(FieldText(entry.FilePath));
  game.SetKeyPath(ProfileStoreKeyPath);  // the entry's own KeyPath is not used
  const std::vector<std::uint8_t> zeros(sizeof(TMouseProfileInfo));
  game.Write(zeros.data(), static_cast<std::int32_t>(zeros.size()));

  if (entry.StorageKind == StorageKindRegistry) {
    // Registry game profiles belong to the configurator: their defaults stay in memory.
    if (!game.LoadStreamFromRegistry()) game.RestoreToDefault();
  } else if (entry.StorageKind == StorageKindFile) {
    std::u16string path = FieldText(entry.FilePath);
    if (path.empty() || path.back() != u'\\') path += u'\\';
    path += FieldText(entry.FileName);
    if (!Platform().Files->FileExists(path)) {
      game.RestoreToDefault();
      game.SaveStreamToFile(path);
    } else if (!game.LoadStreamFromFile(path)) {
      game.RestoreToDefault();
      game.SaveStreamToFile();
    }
  }
  // Any other storage kind: the stream stays zero.
}

bool TDM::SwitchToProfile(int index) {
  if (!IsProfileIndexInRange(index)) return false;
  FProfileIndex = index;
  FProfileGroup[static_cast<std::size_t>(index)]->Read(&FCurrentProfileInfo, sizeof FCurrentProfileInfo);
  FAllProfileSettingInfo.CurrentGame = static_cast<std::uint16_t>(index);
  return true;
}

bool TDM::SwitchToProfileAndWriteProfileID(int index) {
  if (!SwitchToProfile(index)) return false;
  if (FProfileGroupIndex == 0 || FProfileGroupIndex == 1)
    FProfileSettingGroup.ProfileIndexOfProfileGroup[FProfileGroupIndex] = index;
  const bool written = WriteProfileID(index);
  // Logged after the store is written: writing the log file does not delay the switch.
  platform::LogEvent(u"Profile switched on the mouse: profile " + IntToStr(index + 1));
  // What the configurator stored for the profile since it was loaded; a stored value that
  // cannot be read raises, and the profile stays as it was in memory.
  LoadCurrentProfileInfoFromRegistry();
  return written;
}

void TDM::LoadProfileGroupSettingInfoFromRegistry() {
  LoadOrRestoreAndSave(*ksProfileSettingGroup);
  ReadProfileSettingGroup();
}

void TDM::ReadProfileSettingGroup() {
  ksProfileSettingGroup->Read(&FProfileSettingGroup, sizeof FProfileSettingGroup);
  FProfileGroupIndex = FProfileSettingGroup.CurrentProfileGroup;
  if (FProfileGroupIndex < 0 || FProfileGroupIndex > 1) throw ERangeError();
  FProfileIndex = FProfileSettingGroup.ProfileIndexOfProfileGroup[FProfileGroupIndex];
}

void TDM::LoadAllProfileInfoFromRegistry() {
  LoadOrRestoreAndSave(*ksProfileAllSettingInfo);
  ksProfileAllSettingInfo->Read(&FAllProfileSettingInfo, sizeof FAllProfileSettingInfo);
}

bool TDM::LoadCurrentProfileInfoFromRegistry() {
  if (!IsProfileIndexInRange(FProfileIndex)) throw ERangeError();
  TksProfile& game = *FProfileGroup[static_cast<std::size_t>(FProfileIndex)];
  const bool loaded = game.LoadStreamFromRegistry();
  game.Read(&FCurrentProfileInfo, sizeof FCurrentProfileInfo);
  return loaded;
}

void TDM::ReloadChangedProfile(std::int32_t profileID) {
  platform::LogEvent(u"Profile changed by the configurator: profile " + IntToStr(std::int64_t{profileID} + 1));
  LoadProfileGroupSettingInfoFromRegistry();
  LoadAllProfileInfoFromRegistry();
  LoadCurrentProfileInfoFromRegistry();
  WriteProfileID(profileID);
}

std::u16string TDM::GetPersonalDocumentProfileFolder() {
  platform::IFileSystem& files = *Platform().Files;
  std::u16string folder = files.DocumentsFolder();
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  folder += ProfileFolderName;
  // A folder that cannot be made shows where it is used.
  if (!files.DirectoryExists(folder)) files.MakeDirectory(folder);
  return folder;
}

void TDM::ksProfileAllSettingInfoRestoreToDefault(TksProfileStream& AStream) {
  const std::uint16_t langID = Platform().Locale->SystemDefaultLangID();
  EditRecordInStream<TALLGAMESINFO>(AStream, [langID](TALLGAMESINFO& info) { SetAllSettingDefaults(info, langID); });
}

void TDM::ksProfileGame1RestoreToDefault(TksProfileStream& AStream) { RestoreGame(AStream, 1); }
void TDM::ksProfileGame2RestoreToDefault(TksProfileStream& AStream) { RestoreGame(AStream, 2); }
void TDM::ksProfileGame3RestoreToDefault(TksProfileStream& AStream) { RestoreGame(AStream, 3); }
void TDM::ksProfileGame4RestoreToDefault(TksProfileStream& AStream) { RestoreGame(AStream, 4); }
void TDM::ksProfileGame5RestoreToDefault(TksProfileStream& AStream) { RestoreGame(AStream, 5); }

void TDM::ksProfileSettingGroupRestoreToDefault(TksProfileStream& AStream) {
  const std::u16string folder = GetPersonalDocumentProfileFolder();
  EditRecordInStream<TProfileSettingGroup>(
      AStream, [&folder](TProfileSettingGroup& group) { SetProfileGroupDefaults(group, folder); });
}

}  // namespace vd
