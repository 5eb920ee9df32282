#pragma once
// The records of the profile store, shared byte for byte with the configurator through
// registry values and .pfd files: a mouse profile, the all-settings record and the profile
// group record. Each struct is the record's little-endian memory image with natural
// alignment; every padding byte is a named field, so a cleared record is all zero and a
// copy carries every byte. Blocks whose inner layout belongs to the configurator are plain
// byte arrays that the monitor only carries.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "keys/KeyCodes.h"

namespace vd {

// The identity of a profile: the local date-time (days since 1899-12-30) at which its
// defaults were made, kept as its raw bytes.
struct alignas(8) TProfileUIDData {
  std::uint8_t RawData[8];

  double DataTime() const {
    double value;
    std::memcpy(&value, RawData, sizeof value);
    return value;
  }
};

struct TProfileHeader {
  std::int32_t FFileVersion;  // every default writes 259
  std::uint8_t FFileType[8];
  std::uint8_t FFileName[44];
  std::uint32_t FProfileSize;
  std::uint8_t Pad60[4];
  TProfileUIDData FProfileUID;
};

struct TFUNCTIONLIST {
  std::uint8_t FunctionInfo[800];
};

struct TMACROKEYINFO {
  std::uint8_t MacroList[768];
  std::int32_t MacroListCount;
  std::uint16_t nAutoAddDelay;
  std::uint16_t nLoopCount;
  std::uint16_t nMacroIndex;
  std::uint8_t MacroUse;
  std::uint8_t Pad779;
  std::uint8_t szMacroName[100];
  std::uint32_t Version;
  std::int32_t HaveErrors;
  std::int32_t ErrorCount;
};

struct TBUTTONFUNCINFO {
  std::uint16_t nWord0;
  std::uint16_t nKeyValue;          // virtual-key code of a single-key function
  std::uint16_t nKeyValueExtended;  // 0 or 1
  TCOMBOKEYINFO ComboKey;
  THID_CODE_INFO HidCode;
  std::uint8_t Reserved22[126];
  TMACROKEYINFO MacroKey;
  std::uint16_t nParam1;
  std::uint16_t nParam2;
  std::uint8_t Reserved1044[2828];
  std::uint8_t ReportKeyCode[3];  // the button's bit in the three mask bytes of key report 7
  std::uint8_t Pad3875;
  std::uint16_t nButtonIndex;
  std::uint16_t nFunctionIndex;  // row of DefaultFunctionTable; 28 is microphone mute
  std::uint8_t FunctionGroup;    // 4: macro, named by MacroKey.nMacroIndex
  std::uint8_t Pad3881[3];
  std::int32_t nFunctionType;
  std::int32_t nFunctionCode;
  std::uint8_t Reserved3892[4];
};

struct TCPISTATE {
  std::uint16_t CPIX;
  std::uint16_t CPIY;
  std::uint16_t Enabled;
  std::uint8_t Reserved6[4];
};

struct TLEDCONFIG {
  std::uint8_t R, G, B;
  std::uint8_t BRIGHT_LEVEL;
  std::uint8_t BREATH_SPEED;
  std::uint8_t BREATH_SECOND;
};

struct TSENSORLIFT {
  std::uint8_t SensorLift;
};

struct TPROFILE_MACRO_PATH {
  std::uint8_t FilePath[1026];
};

struct TMOUSECONFIGINFO {
  TBUTTONFUNCINFO ButtonFuncInfo[15];
  TBUTTONFUNCINFO VWheelButtonFuncInfo[2];
  TBUTTONFUNCINFO HWheelButtonFuncInfo[2];
  std::uint16_t VWheelType;
  std::uint16_t HWheelType;
  std::uint16_t VWheelSpeed;
  std::uint16_t HWheelSpeed;
  std::uint16_t DoubleClickSpeed;
  std::uint16_t PointerSpeed;
  std::uint16_t PointerAcceleration;
  std::uint16_t UseSystemPointerSpeedSetting;
  std::uint16_t ReportRate;  // reports per second
  std::uint8_t Pad74042[2];
  std::int32_t CurrentCPIIndex;
  std::uint16_t CurrentCPIX;
  std::uint16_t CurrentCPIY;
  std::uint16_t MinCPI;
  std::uint16_t MaxCPI;
  std::uint16_t UseDiffentXY[11];
  std::uint16_t UseCPIOnScreenFlyShow;
  TCPISTATE CPIState[11];
  std::uint16_t CPILevel;
  std::uint16_t AutoSwitchProfileWhenAppRun;
  std::uint8_t ApplicationList[10260];
  TLEDCONFIG LEDConfig;
  TSENSORLIFT Sensorlift;
  std::uint8_t Pad84461[3];
  std::int32_t ButtonCount;  // entries of ButtonFuncInfo in use
  TPROFILE_MACRO_PATH ProfilePath;
  TPROFILE_MACRO_PATH MacroPath;
  std::int32_t FireKeySpeed;
  std::int32_t FireKeyCount;
};

struct TMACROKEYINFOLIST {
  TMACROKEYINFO MacroInfos[30];
  std::uint16_t nMacroInfoCount;
  std::uint8_t Pad26762[2];
};

struct TMACROINFOLIST_TO_DEVICE {
  TMACROKEYINFO MacroInfos[5];
  std::uint16_t nMacroInfoCount;
  std::uint8_t Pad4462[2];
};

struct TOtherConfig {
  std::int32_t ShowNumLock;
  std::int32_t ShowCapsLock;
  std::int32_t ShowScrollLock;
  std::int32_t ShowLockStatePop;
  std::uint8_t HelpFile[4];  // a pointer in the configurator's memory; meaningless when stored
  std::int32_t Nologo;
};

// One complete mouse profile.
struct TMouseProfileInfo {
  TProfileHeader ProfileHeader;
  TFUNCTIONLIST FunctionList;
  TMOUSECONFIGINFO ConfigInfo;
  TFUNCTIONLIST HWheelFunctionList;
  TFUNCTIONLIST VWheelFunctionList;
  TMACROKEYINFOLIST MacroKeyInfoList;
  TMACROINFOLIST_TO_DEVICE MacroInfoToDevice;
  TOtherConfig OtherConfig;
  std::uint8_t Pad120252[4];
};

inline constexpr std::uint8_t StorageKindRegistry = 0;
inline constexpr std::uint8_t StorageKindFile = 1;

// Where and under which name one game profile is stored. Texts are UTF-16 code units ended
// by a 0 inside the array.
struct TPROFILE_SETTING {
  std::uint16_t EntryFlag;
  char16_t FilePath[1024];  // folder of the profile file
  char16_t KeyPath[1024];
  char16_t FileName[21];  // file name, also the registry value name
  char16_t MacroPath[1024];
  std::uint8_t StorageKind;  // StorageKindRegistry or StorageKindFile
  std::uint8_t Pad6189;
};

// The all-settings record.
struct TALLGAMESINFO {
  TPROFILE_SETTING Allgameset[5];
  std::uint16_t CurrentGame;     // current game profile, 0..4
  std::uint8_t CurrentLanguage;  // position in the language list
  std::uint8_t Pad30953;
};

// The profile group record.
struct TProfileSettingGroup {
  std::int32_t CurrentProfileGroup;            // 0 or 1
  std::int32_t ProfileIndexOfProfileGroup[2];  // profile selected in group 0 and group 1
  TPROFILE_SETTING ProfileSettingList[5];      // storage place of game profiles 1..5
  std::uint8_t Pad30962[2];
};

// The text of a fixed UTF-16 field: up to its first 0, or the whole array when there is none.
template <std::size_t N>
std::u16string FieldText(const char16_t (&field)[N]) {
  const std::u16string_view all(field, N);
  return std::u16string(all.substr(0, all.find(u'\0')));
}

// Stores a text with its terminator and clears the rest of the field. A text that does not
// fit with its terminator raises a range error and leaves the field unchanged.
void SetFieldText(char16_t* field, std::size_t capacity, std::u16string_view text);
template <std::size_t N>
void SetFieldText(char16_t (&field)[N], std::u16string_view text) {
  SetFieldText(field, N, text);
}

// The layout is a file format: sizes, offsets and the absence of hidden padding are fixed.
template <typename T>
inline constexpr bool IsStoredRecord =
    std::is_trivially_copyable_v<T>&& std::is_standard_layout_v<T>&& std::has_unique_object_representations_v<T>;

static_assert(IsStoredRecord<TMouseProfileInfo> && IsStoredRecord<TALLGAMESINFO> &&
              IsStoredRecord<TProfileSettingGroup> && IsStoredRecord<TMACROKEYINFO>);

static_assert(sizeof(TMouseProfileInfo) == 120256 && alignof(TMouseProfileInfo) == 8);
static_assert(sizeof(TALLGAMESINFO) == 30954 && alignof(TALLGAMESINFO) == 2);
static_assert(sizeof(TProfileSettingGroup) == 30964 && alignof(TProfileSettingGroup) == 4);
static_assert(sizeof(TMACROKEYINFO) == 892 && alignof(TMACROKEYINFO) == 4);
static_assert(sizeof(TProfileHeader) == 72 && sizeof(TFUNCTIONLIST) == 800);
static_assert(sizeof(TMOUSECONFIGINFO) == 86528 && sizeof(TBUTTONFUNCINFO) == 3896 && sizeof(TCPISTATE) == 10);
static_assert(sizeof(TMACROKEYINFOLIST) == 26764 && sizeof(TMACROINFOLIST_TO_DEVICE) == 4464);
static_assert(sizeof(TLEDCONFIG) == 6 && sizeof(TSENSORLIFT) == 1 && sizeof(TPROFILE_MACRO_PATH) == 1026);
static_assert(sizeof(TOtherConfig) == 24 && sizeof(TPROFILE_SETTING) == 6190);

static_assert(offsetof(TMouseProfileInfo, FunctionList) == 72);
static_assert(offsetof(TMouseProfileInfo, ConfigInfo) == 872);
static_assert(offsetof(TMouseProfileInfo, HWheelFunctionList) == 87400);
static_assert(offsetof(TMouseProfileInfo, VWheelFunctionList) == 88200);
static_assert(offsetof(TMouseProfileInfo, MacroKeyInfoList) == 89000);
static_assert(offsetof(TMouseProfileInfo, MacroInfoToDevice) == 115764);
static_assert(offsetof(TMouseProfileInfo, OtherConfig) == 120228);

static_assert(offsetof(TProfileHeader, FFileType) == 4 && offsetof(TProfileHeader, FFileName) == 12);
static_assert(offsetof(TProfileHeader, FProfileSize) == 56 && offsetof(TProfileHeader, FProfileUID) == 64);

static_assert(offsetof(TMOUSECONFIGINFO, VWheelButtonFuncInfo) == 58440);
static_assert(offsetof(TMOUSECONFIGINFO, HWheelButtonFuncInfo) == 66232);
static_assert(offsetof(TMOUSECONFIGINFO, VWheelType) == 74024);
static_assert(offsetof(TMOUSECONFIGINFO, VWheelSpeed) == 74028);
static_assert(offsetof(TMOUSECONFIGINFO, DoubleClickSpeed) == 74032);
static_assert(offsetof(TMOUSECONFIGINFO, PointerSpeed) == 74034);
static_assert(offsetof(TMOUSECONFIGINFO, PointerAcceleration) == 74036);
static_assert(offsetof(TMOUSECONFIGINFO, ReportRate) == 74040);
static_assert(offsetof(TMOUSECONFIGINFO, CurrentCPIIndex) == 74044);
static_assert(offsetof(TMOUSECONFIGINFO, CurrentCPIX) == 74048);
static_assert(offsetof(TMOUSECONFIGINFO, UseDiffentXY) == 74056);
static_assert(offsetof(TMOUSECONFIGINFO, UseCPIOnScreenFlyShow) == 74078);
static_assert(offsetof(TMOUSECONFIGINFO, CPIState) == 74080);
static_assert(offsetof(TMOUSECONFIGINFO, CPILevel) == 74190);
static_assert(offsetof(TMOUSECONFIGINFO, AutoSwitchProfileWhenAppRun) == 74192);
static_assert(offsetof(TMOUSECONFIGINFO, ApplicationList) == 74194);
static_assert(offsetof(TMOUSECONFIGINFO, LEDConfig) == 84454);
static_assert(offsetof(TMOUSECONFIGINFO, Sensorlift) == 84460);
static_assert(offsetof(TMOUSECONFIGINFO, ButtonCount) == 84464);
static_assert(offsetof(TMOUSECONFIGINFO, ProfilePath) == 84468);
static_assert(offsetof(TMOUSECONFIGINFO, MacroPath) == 85494);
static_assert(offsetof(TMOUSECONFIGINFO, FireKeySpeed) == 86520);
static_assert(offsetof(TMOUSECONFIGINFO, FireKeyCount) == 86524);

static_assert(offsetof(TBUTTONFUNCINFO, nKeyValue) == 2 && offsetof(TBUTTONFUNCINFO, ComboKey) == 6);
static_assert(offsetof(TBUTTONFUNCINFO, HidCode) == 16 && offsetof(TBUTTONFUNCINFO, MacroKey) == 148);
static_assert(offsetof(TBUTTONFUNCINFO, nParam1) == 1040 && offsetof(TBUTTONFUNCINFO, nParam2) == 1042);
static_assert(offsetof(TBUTTONFUNCINFO, ReportKeyCode) == 3872 && offsetof(TBUTTONFUNCINFO, nButtonIndex) == 3876);
static_assert(offsetof(TBUTTONFUNCINFO, nFunctionIndex) == 3878 && offsetof(TBUTTONFUNCINFO, FunctionGroup) == 3880);
static_assert(offsetof(TBUTTONFUNCINFO, nFunctionType) == 3884 && offsetof(TBUTTONFUNCINFO, nFunctionCode) == 3888);

static_assert(offsetof(TMACROKEYINFO, MacroListCount) == 768 && offsetof(TMACROKEYINFO, nMacroIndex) == 776);
static_assert(offsetof(TMACROKEYINFO, MacroUse) == 778 && offsetof(TMACROKEYINFO, szMacroName) == 780);
static_assert(offsetof(TMACROKEYINFO, Version) == 880 && offsetof(TMACROKEYINFO, ErrorCount) == 888);
static_assert(offsetof(TMACROKEYINFOLIST, nMacroInfoCount) == 26760);
static_assert(offsetof(TMACROINFOLIST_TO_DEVICE, nMacroInfoCount) == 4460);
static_assert(offsetof(TOtherConfig, HelpFile) == 16 && offsetof(TOtherConfig, Nologo) == 20);

static_assert(offsetof(TPROFILE_SETTING, FilePath) == 2 && offsetof(TPROFILE_SETTING, KeyPath) == 2050);
static_assert(offsetof(TPROFILE_SETTING, FileName) == 4098 && offsetof(TPROFILE_SETTING, MacroPath) == 4140);
static_assert(offsetof(TPROFILE_SETTING, StorageKind) == 6188);
static_assert(offsetof(TALLGAMESINFO, CurrentGame) == 30950 && offsetof(TALLGAMESINFO, CurrentLanguage) == 30952);
static_assert(offsetof(TProfileSettingGroup, ProfileIndexOfProfileGroup) == 4);
static_assert(offsetof(TProfileSettingGroup, ProfileSettingList) == 12);

}  // namespace vd
