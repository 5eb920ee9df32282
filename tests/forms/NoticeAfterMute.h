#pragma once
// The notice's stored scene as the program shows it after a mute press, in the settings that
// the scene renderer takes (tools/scene-render/StoredScene.h).

#include <string>
#include <utility>
#include <vector>

namespace vd::picture_test {

inline const std::vector<std::pair<std::u16string, std::u16string>> kNoticeMuted = {
    {u"NoticeRoot", u"Opacity = 1"},
    {u"IconProfile", u"Visible = False"},
    {u"IconMicrophoneMuted", u"Visible = True"},
    {u"NoticeText", u"Text = 'Microphone muted'"}};

}  // namespace vd::picture_test
