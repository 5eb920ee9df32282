#include "scene/win32/FontFallback.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <vector>

#include "platform/win32/Handles.h"

namespace vd::win32 {

namespace {

// The face that the font mapper gives for a family name, character set and kind, and whether
// it has a glyph for every character of the text.
struct TFace {
  std::u16string Name;
  bool ShowsAll = false;
};

TFace FaceOf(HDC dc, const std::u16string& family, BYTE charset, std::u16string_view text,
             BYTE pitchAndFamily = DEFAULT_PITCH | FF_DONTCARE) {
  LOGFONTW wanted{};
  wanted.lfHeight = -16;
  wanted.lfCharSet = charset;
  wanted.lfPitchAndFamily = pitchAndFamily;
  // GDI+ draws with outline fonts only.
  wanted.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  family.copy(reinterpret_cast<char16_t*>(wanted.lfFaceName), LF_FACESIZE - 1);
  const TUniqueFont font(CreateFontIndirectW(&wanted));
  const TSelection selection(dc, font.Get());
  if (!font || !selection) return {};
  wchar_t name[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, name);
  std::vector<WORD> glyphs(text.size());
  const bool measured =
      GetGlyphIndicesW(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), glyphs.data(),
                       GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR;
  return {reinterpret_cast<const char16_t*>(name),
          measured && std::none_of(glyphs.begin(), glyphs.end(), [](WORD glyph) { return glyph == 0xFFFF; })};
}

int CALLBACK FoundOutlineFace(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
  if (!(type & TRUETYPE_FONTTYPE)) return 1;
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Whether the system has outline faces of the family, the only ones GDI+ draws with. The font
// mapper would give a name that is not installed some other face, but GDI+ finds no family of
// that name at all.
bool IsInstalled(HDC dc, const std::u16string& family) {
  if (family.empty() || family.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  family.copy(reinterpret_cast<char16_t*>(wanted.lfFaceName), LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, FoundOutlineFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// What was chosen, per family and text; the texts of a scene are few, any text a form
// holds or a program sets is not.
std::map<std::u16string, std::u16string>& Remembered() {
  static std::map<std::u16string, std::u16string> remembered;
  return remembered;
}

}  // namespace

std::size_t RememberedFontFamilies() { return Remembered().size(); }

std::u16string FontFamilyFor(const std::u16string& family, std::u16string_view text) {
  std::map<std::u16string, std::u16string>& remembered = Remembered();
  std::u16string key = family;
  key += u'\n';
  key += text;
  if (const auto found = remembered.find(key); found != remembered.end()) return found->second;
  std::u16string chosen = family;
  const TUniqueDC dc(CreateCompatibleDC(nullptr));
  if (dc) {
    // A family that is not installed gives way to the system's sans-serif family, the face the
    // font mapper gives for any sans-serif one: GDI+'s own generic family may be missing too
    // (Wine without Tahoma has it not), and then nothing at all would be drawn.
    if (!IsInstalled(dc.Get(), family))
      if (const TFace sans = FaceOf(dc.Get(), u"", DEFAULT_CHARSET, u"", VARIABLE_PITCH | FF_SWISS); !sans.Name.empty())
        chosen = sans.Name;
    if (!FaceOf(dc.Get(), chosen, DEFAULT_CHARSET, text).ShowsAll)
      for (const BYTE charset :
           {GB2312_CHARSET, CHINESEBIG5_CHARSET, SHIFTJIS_CHARSET, HANGUL_CHARSET, DEFAULT_CHARSET}) {
        const TFace face = FaceOf(dc.Get(), u"", charset, text);
        if (face.ShowsAll && !face.Name.empty()) {
          chosen = face.Name;
          break;
        }
      }
  }
  if (remembered.size() >= kMostRememberedFontFamilies) remembered.clear();
  remembered.emplace(std::move(key), chosen);
  return chosen;
}

}  // namespace vd::win32
