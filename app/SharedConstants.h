#pragma once
// What the monitor shares with its sibling configurator: window, file and title names.

namespace vd {

inline constexpr char16_t CfgMainClassName[] = u"TVDCfgMain";
inline constexpr char16_t CfgMainCaption[] = u"VD_CONFIG_EX";
inline constexpr char16_t CfgExeName[] = u"VDCfg.exe";
inline constexpr char16_t MonMainClassName[] = u"TVDMonMain";  // also the single-instance mutex
inline constexpr char16_t MonMainCaption[] = u"VD_MONITOR_EX";
inline constexpr char16_t AppTitle[] = u"Vardel Gaming Mouse Monitor";  // translated before use
inline constexpr char16_t TrayHint[] = u"Vardel Gaming Mouse Driver";   // translated before use

}  // namespace vd
