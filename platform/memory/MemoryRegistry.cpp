#include "base/Strings.h"
#include "platform/memory/MemoryPlatform.h"

namespace vd::platform {

namespace {

std::u16string Folded(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) c = AsciiLower(c);
  return out;
}

}  // namespace

class TMemoryRegistryKey : public IRegistryKey {
public:
  TMemoryRegistryKey(TMemoryRegistry& registry, std::u16string id) : FRegistry(registry), FId(std::move(id)) {}

  std::optional<TRegValueInfo> ValueInfo(std::u16string_view name) override {
    if (FRegistry.FFaults.Check("ValueInfo")) return std::nullopt;
    const TMemoryRegValue* value = Find(name);
    if (!value) return std::nullopt;
    return TRegValueInfo{value->Type, static_cast<std::uint32_t>(value->Data.size())};
  }

  bool ReadValue(std::u16string_view name, TBytes& data) override {
    if (FRegistry.FFaults.Check("ReadValue")) return false;
    const TMemoryRegValue* value = Find(name);
    if (!value) return false;
    data = value->Data;
    return true;
  }

  bool WriteBinary(std::u16string_view name, const void* data, std::size_t size) override {
    if (FRegistry.FFaults.Check("WriteBinary")) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    Key()[Folded(name)] = TMemoryRegValue{REG_BINARY_TYPE, TBytes(bytes, bytes + size)};
    return true;
  }

  bool WriteDWord(std::u16string_view name, std::uint32_t value) override {
    if (FRegistry.FFaults.Check("WriteDWord")) return false;
    TBytes data(4);
    for (int i = 0; i < 4; ++i) data[i] = static_cast<std::uint8_t>(value >> (8 * i));
    Key()[Folded(name)] = TMemoryRegValue{REG_DWORD_TYPE, std::move(data)};
    return true;
  }

private:
  // A key deleted while open behaves as an empty key.
  TMemoryRegistry::TKey& Key() { return FRegistry.FKeys[FId]; }
  const TMemoryRegValue* Find(std::u16string_view name) {
    const auto key = FRegistry.FKeys.find(FId);
    if (key == FRegistry.FKeys.end()) return nullptr;
    const auto value = key->second.find(Folded(name));
    return value == key->second.end() ? nullptr : &value->second;
  }

  TMemoryRegistry& FRegistry;
  std::u16string FId;
};

std::u16string TMemoryRegistry::KeyId(TRootKey root, std::u16string_view path) {
  std::u16string id = root == TRootKey::CurrentUser ? u"hkcu" : u"hklm";
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    if (end > start) id += u'\\' + Folded(path.substr(start, end - start));
    start = end + 1;
  }
  return id;
}

std::unique_ptr<IRegistryKey> TMemoryRegistry::OpenKey(TRootKey root, std::u16string_view path, bool create) {
  if (FFaults.Check(create ? "CreateKey" : "OpenKey")) return nullptr;
  const std::u16string id = KeyId(root, path);
  if (!FKeys.count(id)) {
    if (!create) return nullptr;
    FKeys[id];
  }
  return std::make_unique<TMemoryRegistryKey>(*this, id);
}

bool TMemoryRegistry::KeyExists(TRootKey root, std::u16string_view path) const {
  return FKeys.count(KeyId(root, path)) != 0;
}

const TMemoryRegValue* TMemoryRegistry::Value(TRootKey root, std::u16string_view path, std::u16string_view name) const {
  const auto key = FKeys.find(KeyId(root, path));
  if (key == FKeys.end()) return nullptr;
  const auto value = key->second.find(Folded(name));
  return value == key->second.end() ? nullptr : &value->second;
}

void TMemoryRegistry::SetValue(TRootKey root, std::u16string_view path, std::u16string_view name, std::uint32_t type,
                               TBytes data) {
  FKeys[KeyId(root, path)][Folded(name)] = TMemoryRegValue{type, std::move(data)};
}

void TMemoryRegistry::DeleteValue(TRootKey root, std::u16string_view path, std::u16string_view name) {
  const auto key = FKeys.find(KeyId(root, path));
  if (key != FKeys.end()) key->second.erase(Folded(name));
}

void TMemoryRegistry::DeleteKey(TRootKey root, std::u16string_view path) { FKeys.erase(KeyId(root, path)); }

}  // namespace vd::platform
