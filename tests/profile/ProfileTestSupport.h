#pragma once
// Helpers shared by the profile store's tests: records as bytes and back, and the golden
// records.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace vd::testing {

using TByteVector = std::vector<std::uint8_t>;

template <typename TRecord>
TByteVector BytesOf(const TRecord& record) {
  TByteVector bytes(sizeof(TRecord));
  std::memcpy(bytes.data(), &record, sizeof(TRecord));
  return bytes;
}

// A zeroed record on the heap (profiles are too large for comfort on the stack), with the
// leading bytes of `bytes` copied over it.
template <typename TRecord>
std::unique_ptr<TRecord> RecordOf(const TByteVector& bytes = {}) {
  auto record = std::make_unique<TRecord>();
  std::memset(record.get(), 0, sizeof(TRecord));
  if (!bytes.empty()) std::memcpy(record.get(), bytes.data(), std::min(bytes.size(), sizeof(TRecord)));
  return record;
}

// A golden record of tests/profile/golden; a missing file fails the test.
inline TByteVector ReadGolden(const std::string& name) {
  std::ifstream file(std::string(VD_PROFILE_GOLDEN_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(file.good()) << "missing golden file " << name;
  return TByteVector(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace vd::testing
