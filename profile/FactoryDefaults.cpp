#include "profile/FactoryDefaults.h"

#include <cstddef>
#include <cstring>

#include "base/Errors.h"
#include "base/Strings.h"
#include "keys/KeyCodes.h"
#include "platform/Platform.h"
#include "profile/ProfileStoreNames.h"

namespace vd {

namespace {

// Categories of assigned functions.
constexpr std::uint8_t kGroupMouse = 1;
constexpr std::uint8_t kGroupCombination = 3;
constexpr std::uint8_t kGroupParameters = 5;
constexpr std::uint8_t kGroupKey = 8;
constexpr std::uint8_t kGroupMultimedia = 10;

struct TButtonFunction {
  std::uint8_t Group;
  std::uint16_t Index;
  std::int32_t Type;
  std::int32_t Code;
};

constexpr int kDefinedButtons = 9;  // buttons 0..8 get a function
constexpr int kClearedButtons = 10;

// Buttons 0..2 of every game: left, right and middle button.
constexpr TButtonFunction kMouseButtons[3] = {{kGroupMouse, 0, 1, 1}, {kGroupMouse, 1, 2, 2}, {kGroupMouse, 2, 3, 3}};

// Buttons 3..8 of each game. Game 1: multimedia keys, whose HID codes come from these rows
// of the multimedia table.
constexpr TButtonFunction kGame1[6] = {{kGroupMultimedia, 24, 14, 1004}, {kGroupMultimedia, 23, 14, 1003},
                                       {kGroupMultimedia, 21, 14, 1001}, {kGroupMultimedia, 27, 14, 1007},
                                       {kGroupMultimedia, 25, 14, 1005}, {kGroupMultimedia, 26, 14, 1006}};
constexpr int kGame1MultimediaRows[6] = {3, 2, 0, 6, 4, 5};

constexpr TButtonFunction kGame2[6] = {{kGroupKey, 3, 5, 4},
                                       {kGroupKey, 4, 4, 5},
                                       {kGroupMultimedia, 29, 14, 1009},
                                       {kGroupCombination, 16, 15, 902},
                                       {kGroupCombination, 6, 15, 7},
                                       {kGroupCombination, 6, 15, 7}};

// Games 3..5. Button 6 stores function 30 with the type and code of function 31, as the
// configurator's own defaults do.
constexpr TButtonFunction kGame3To5[6] = {{kGroupKey, 5, 16, 6},     {kGroupKey, 5, 16, 6},
                                          {kGroupKey, 5, 16, 6},     {kGroupParameters, 30, 18, 12},
                                          {kGroupMouse, 33, 10, 14}, {kGroupMouse, 34, 9, 15}};

constexpr std::uint16_t kVkLeftAlt = 164, kVkLeftControl = 162, kVkLeftShift = 160;
constexpr std::uint16_t kVkT = 84, kVkW = 87;
constexpr std::uint16_t kModifierCtrl = 2;
constexpr int kAltF4Row = 1;  // of the system-shortcut table

struct TGameLook {
  std::uint8_t R, G, B;
};
constexpr TGameLook kLed[5] = {{255, 255, 0}, {0, 255, 0}, {0, 0, 255}, {217, 10, 126}, {255, 0, 0}};
constexpr std::uint16_t kCPILevels[5] = {1000, 2000, 4000, 8200, 16400};

void SetFunction(TBUTTONFUNCINFO& button, const TButtonFunction& function) {
  button.FunctionGroup = function.Group;
  button.nFunctionIndex = function.Index;
  button.nFunctionType = function.Type;
  button.nFunctionCode = function.Code;
}

void SetButtons(TBUTTONFUNCINFO (&buttons)[15], int game) {
  for (int b = 0; b < kClearedButtons; ++b)
    std::memset(&buttons[b], 0, offsetof(TBUTTONFUNCINFO, nButtonIndex));  // the tail keeps its bytes
  for (int b = 0; b < kDefinedButtons; ++b) buttons[b].nButtonIndex = static_cast<std::uint16_t>(b);
  for (int b = 0; b < 3; ++b) SetFunction(buttons[b], kMouseButtons[b]);

  TBUTTONFUNCINFO* button = &buttons[3];
  switch (game) {
    case 1:
      for (int k = 0; k < 6; ++k) {
        SetFunction(button[k], kGame1[k]);
        THID_CODE_INFO row{};
        GetMultimediaHIDCodeRow(kGame1MultimediaRows[k], row);
        button[k].HidCode = THID_CODE_INFO{row.nKeyValue1, row.nKeyValue2, 0};
      }
      break;
    case 2:
      for (int k = 0; k < 6; ++k) SetFunction(button[k], kGame2[k]);
      button[2].HidCode = THID_CODE_INFO{39, 2, 0};
      GetSystemShortcutKeyRow(kAltF4Row, button[3].ComboKey);
      button[4].ComboKey = TCOMBOKEYINFO{kVkT, 0, 0, 0, kModifierCtrl};
      button[5].ComboKey = TCOMBOKEYINFO{kVkW, 0, 0, 0, kModifierCtrl};
      break;
    default:
      for (int k = 0; k < 6; ++k) SetFunction(button[k], kGame3To5[k]);
      button[0].nKeyValue = kVkLeftAlt;
      button[1].nKeyValue = kVkLeftControl;
      button[2].nKeyValue = kVkLeftShift;
      button[3].nParam1 = 3;
      button[3].nParam2 = 1;
      break;
  }
}

// Creates one folder level when it is missing.
void EnsureFolder(const std::u16string& folder) {
  platform::IFileSystem& files = *platform::Platform().Files;
  if (files.DirectoryExists(folder)) return;
  if (const std::uint32_t error = files.MakeDirectory(folder)) throw EInOutError(error);
}

}  // namespace

void NewProfileUID(std::uint8_t (&uid)[8]) {
  const double now = platform::Platform().Clock->LocalDateTime();
  static_assert(sizeof now == 8);
  std::memcpy(uid, &now, 8);  // both targets are little-endian
}

void SetGameProfileDefaults(TMouseProfileInfo& profile, int game) {
  if (game < 1 || game > 5) throw ERangeError();
  NewProfileUID(profile.ProfileHeader.FProfileUID.RawData);
  profile.ProfileHeader.FFileVersion = ProfileFileVersion;

  TMOUSECONFIGINFO& config = profile.ConfigInfo;
  config.ButtonCount = kDefinedButtons;
  SetButtons(config.ButtonFuncInfo, game);

  config.VWheelSpeed = 3;
  config.DoubleClickSpeed = 550;
  config.PointerSpeed = 10;
  config.PointerAcceleration = 0;
  config.ReportRate = 500;

  for (int level = 0; level < 5; ++level) {
    TCPISTATE& state = config.CPIState[level];
    state.CPIX = state.CPIY = kCPILevels[level];
    state.Enabled = 1;
    config.UseDiffentXY[level] = 1;
  }
  config.CPILevel = 5;
  config.CurrentCPIIndex = game - 1;

  const TGameLook& look = kLed[game - 1];
  config.LEDConfig.R = look.R;
  config.LEDConfig.G = look.G;
  config.LEDConfig.B = look.B;
  config.LEDConfig.BRIGHT_LEVEL = 2;
  config.LEDConfig.BREATH_SPEED = 3;
}

std::uint8_t DefaultLanguageIndex(std::uint16_t systemLangID) {
  switch (systemLangID) {
    case 0x0804:
      return 1;
    case 0x0404:
      return 2;
    default:
      return 0;
  }
}

void SetAllSettingDefaults(TALLGAMESINFO& info, std::uint16_t systemLangID) {
  for (TPROFILE_SETTING& entry : info.Allgameset) {
    entry.EntryFlag = 0;
    entry.StorageKind = StorageKindRegistry;
    entry.FilePath[0] = u'\0';  // the rest of the field, and the other texts, keep their bytes
  }
  info.CurrentGame = 0;
  info.Allgameset[0].EntryFlag = 1;
  info.CurrentLanguage = DefaultLanguageIndex(systemLangID);
}

void SetProfileGroupDefaults(TProfileSettingGroup& group, const std::u16string& profileFolder) {
  for (int i = 0; i < 5; ++i) {
    TPROFILE_SETTING& entry = group.ProfileSettingList[i];
    const std::u16string name = u"T362Profile" + IntToStr(i + 1);
    const std::u16string macroFolder = profileFolder + u"\\" + name + u"_Macros";
    entry.EntryFlag = 0;
    entry.StorageKind = StorageKindRegistry;
    SetFieldText(entry.FileName, name + u".pfd");
    SetFieldText(entry.KeyPath, ProfileStoreKeyPath);
    SetFieldText(entry.FilePath, profileFolder);
    SetFieldText(entry.MacroPath, macroFolder);
    EnsureFolder(profileFolder);
    EnsureFolder(macroFolder);
  }
  group.CurrentProfileGroup = 0;
  group.ProfileIndexOfProfileGroup[0] = 0;
  group.ProfileIndexOfProfileGroup[1] = 1;
}

}  // namespace vd
