// Dictionary streams come from files beside the program: a malformed one must be rejected
// with an EDictionaryError, never crash or allocate beyond its size. One that is accepted
// must write back to the same bytes and serve lookups in each of its languages.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/WideStrings.h"
#include "lang/Dictionary.h"
#include "lang/DictionaryStream.h"
#include "lang/Translation.h"
#include "platform/memory/MemoryPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vd;
  static platform::TMemoryPlatform platform;
  const std::span<const std::uint8_t> bytes(data, size);
  TDictionaryContent content;
  try {
    content = ParseDictionaryStream(bytes, u"fuzz");
  } catch (const EDictionaryError&) {
    return 0;
  }
  const std::vector<std::uint8_t> written = WriteDictionaryStream(content);
  if (written.size() != size || !std::equal(written.begin(), written.end(), data)) std::abort();

  TvgLang lang(nullptr);
  lang.ReadDictionaryStream(bytes, u"fuzz");
  const std::vector<std::u16string> texts = SplitTextLines(content.SourceText);
  for (int i = 0; i < lang.Resources().Count(); ++i) {
    lang.SetLang(lang.Resources().Strings(i));
    for (const std::u16string& text : texts) LookupTranslation(text);
  }
  lang.SetLang(u"en");
  if (ActiveLanguageTable()) std::abort();
  ReleaseTranslationState();
  return 0;
}
