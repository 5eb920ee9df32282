#pragma once
// The readable form of a dictionary, from which translators build dictionary streams
// (ks.local, the stored dictionaries of forms). A UTF-8 text:
//
//   ; a comment; blank lines are skipped
//   [Source]
//   Config
//   [Language CH]
//   Config=打开配置
//
// "[Source]" lists the source texts, one per line; each "[Language NAME]" section lists
// that language's entries "source text=translation", in the order the stream keeps them.
// A text is written as it stands; one that is empty, begins or ends with a blank, or
// begins with ";", "[" or a double quote is written between double quotes (everything
// between the line's first and last quote is the text).

#include <string>
#include <string_view>

#include "base/Errors.h"
#include "lang/DictionaryStream.h"

namespace vd {

// A mistake in a readable dictionary; the message names the file and the line.
class EDictionarySourceError : public Exception {
public:
  EDictionarySourceError(std::u16string_view fileName, int line, std::u16string_view reason);
};

// Raises EDictionarySourceError for malformed text, a language without "=" in an entry,
// a source text listed twice in one section, a language named twice, or a text that
// holds a line break or NUL (the stream would split or cut it).
TDictionaryContent ParseDictionarySource(std::string_view text, std::u16string_view fileName);

// The readable form of a stream's content; parsing it gives the content back when every
// text of the stream ends with CR LF.
std::string FormatDictionarySource(const TDictionaryContent& content);

}  // namespace vd
