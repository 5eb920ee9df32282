// Object streams come from files and stored properties (a style set's ResourcesBin, a
// text-form file): a malformed one must end with an error, never crash or allocate beyond
// bounds. One that is read must write back to the same bytes, through the text form too,
// and apply to components without harm.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "FuzzComponents.h"
#include "core/ComponentReader.h"
#include "core/ComponentWriter.h"
#include "streams/BinaryObjectStream.h"
#include "streams/TextObjectStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vd;
  fuzz::RegisterFuzzClasses();
  const std::span<const std::uint8_t> bytes(data, size);
  TStreamObject tree;
  std::size_t consumed = 0;
  try {
    tree = ReadObjectStream(bytes, &consumed);
  } catch (const EReadError&) {
    return 0;
  }
  const std::vector<std::uint8_t> written = WriteObjectStream(tree);
  if (written.size() != consumed || !std::equal(written.begin(), written.end(), data)) std::abort();
  if (ParseTextForm(FormatTextForm(tree)) != tree) std::abort();

  fuzz::TFuzzRoot root(nullptr);
  ReadComponent(root, tree);
  WriteComponentStream(root);
  delete CreateComponentFromBinStream(nullptr, bytes);
  return 0;
}
