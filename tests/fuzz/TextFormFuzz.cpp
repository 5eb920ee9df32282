// Text forms come from files (a style set's FileName): malformed text must end with a
// parser error, never crash. Text that parses must give a binary stream that reads back to
// the same tree, a text form that parses to it again, and apply to components without harm.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzComponents.h"
#include "core/ComponentReader.h"
#include "streams/BinaryObjectStream.h"
#include "streams/TextObjectStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vd;
  fuzz::RegisterFuzzClasses();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TStreamObject tree;
  try {
    tree = ParseTextForm(text);
  } catch (const EParserError&) {
    return 0;
  }
  const std::vector<std::uint8_t> binary = WriteObjectStream(tree);
  if (ReadObjectStream(binary) != tree) std::abort();
  if (ParseTextForm(FormatTextForm(tree)) != tree) std::abort();

  fuzz::TFuzzRoot root(nullptr);
  ReadComponent(root, tree);
  delete CreateComponentFromStream(nullptr, text);
  return 0;
}
