#pragma once
// The text form of the object stream, the syntax of stored form files:
//
//   object VDMonMain: TVDMonMain
//     Caption = 'VD_MONITOR_EX'          strings in single quotes, #nnn for other units,
//     Tag = 3                            '+' joins pieces of one string
//     Visible = True                     True, False, nil, Null, identifiers
//     Anchors = [akLeft, akTop]          sets
//     Picture.Data = {0A0B0C}            binary, hexadecimal
//     Strings = ('a' 'b')                lists
//     Points = <item Color = 5 end>      collections; "item [3]" gives an item index
//     object Child: TClass               children; "inherited" and "inline" for the prefix
//     end                                flags, "[n]" after the class for the child position
//   end
//
// Plain values stand for the tags our writer chooses (integers in the smallest type,
// floats as extended, strings by their content). Any other choice is marked with the tag's
// name: Int8(5) .. Int64(5), Single(1.5), Double(1.5), Currency(1.2500), Date(45000.5),
// String('abc'), LString('abc'), WString('abc'), UTF8String('abc'), Ident('True'); a
// payload that no literal gives back exactly is written as its bytes, as in
// Extended({00000000000000C0FF3F}); a prefix byte that the keywords cannot express is
// written after the keyword, as in "object {F8} Name: TClass". So binary -> text -> binary
// always gives back the same bytes. Names that are not identifiers are quoted.
//
// Source files may also pull in files: File('art/main.png') is a binary value with the
// file's bytes, Form('styles.form') the binary object stream of another text form. These
// need an include reader; without one they are errors. "//" starts a comment.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "streams/ObjectStream.h"

namespace vd {

struct TTextFormOptions {
  // Answers the bytes of a file named by File(...) or Form(...), or raises an Exception.
  std::function<std::string(const std::u16string& path)> ReadInclude;
};

// Parses UTF-8 text (a byte order mark is skipped). Raises EParserError with the line and
// column of what is wrong.
TStreamObject ParseTextForm(std::string_view text, const TTextFormOptions& options = {});
// The text form of an object, UTF-8, lines ended by LF.
std::string FormatTextForm(const TStreamObject& root);

// Conversions of whole streams. ObjectBinaryToText refuses bytes after the object.
std::vector<std::uint8_t> ObjectTextToBinary(std::string_view text, const TTextFormOptions& options = {});
std::string ObjectBinaryToText(std::span<const std::uint8_t> bytes);

}  // namespace vd
