#pragma once
// The object stream in its binary form: bytes to tree and back. The reader checks every
// length against the bytes that remain before it allocates, and refuses nesting deeper than
// kMaxStreamNesting; the writer refuses a tree that cannot be stored unambiguously.

#include <cstdint>
#include <span>
#include <vector>

#include "streams/ObjectStream.h"

namespace vd {

// Reads "TPF0" and one object from the start of `bytes`. `consumed` (if given) receives the
// number of bytes the stream took; what follows is not looked at. A truncated stream raises
// EReadError "Stream read error"; a wrong signature, an unknown tag or a malformed structure
// raises EReadError "Invalid stream format".
TStreamObject ReadObjectStream(std::span<const std::uint8_t> bytes, std::size_t* consumed = nullptr);

// Writes "TPF0" and the object. Raises EWriteError for a tree that has no binary form: a
// name longer than 255 characters, an empty class, property or set element name, a null
// value in a list, a payload of the wrong size, an integer outside its tag's range, a
// prefix that does not match the child position, or a class name whose length byte would
// read as a prefix.
std::vector<std::uint8_t> WriteObjectStream(const TStreamObject& root);

}  // namespace vd
