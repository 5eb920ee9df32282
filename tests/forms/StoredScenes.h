#pragma once
// The stored scenes that the golden pictures show, beyond a form drawn as it is stored.

#include <string>
#include <utility>
#include <vector>

namespace vd::picture_test {

// The notice as the program shows it after a mute press.
inline const std::vector<std::pair<std::u16string, std::u16string>> kNoticeMuted = {
    {u"NoticeRoot", u"Opacity = 1"},
    {u"IconProfile", u"Visible = False"},
    {u"IconMicrophoneMuted", u"Visible = True"},
    {u"NoticeText", u"Text = 'Microphone muted'"}};

}  // namespace vd::picture_test
