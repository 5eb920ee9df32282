// The stream operations of scene objects, on the component reader and writer of core/.

#include <string_view>

#include "base/Errors.h"
#include "core/ClassRegistry.h"
#include "core/ComponentReader.h"
#include "core/ComponentWriter.h"
#include "platform/Platform.h"
#include "scene/SceneClasses.h"
#include "scene/tree/VgObject.h"
#include "streams/BinaryObjectStream.h"
#include "streams/TextObjectStream.h"

namespace vd {

namespace {

// The object stream at the stream's position; the position moves past it.
TStreamObject ReadDescription(TMemoryStream& stream) {
  RegisterSceneClasses();
  std::size_t consumed = 0;
  TStreamObject description = ReadObjectStream(stream.Remaining(), &consumed);
  stream.Seek(static_cast<std::int64_t>(consumed), TSeekOrigin::soCurrent);
  return description;
}

// What a read skipped goes to the debug output, as it does for stored forms.
void Trace(const std::vector<std::u16string>& errors) {
  if (platform::IUserInterface* ui = platform::Platform().UI)
    for (const std::u16string& error : errors) ui->DebugOutput(error);
}

// The text form from the stream's position to its end, as an object stream.
TMemoryStream TextToBinary(TMemoryStream& stream) {
  const std::span<const std::uint8_t> text = stream.Remaining();
  TMemoryStream binary(ObjectTextToBinary(std::string_view(reinterpret_cast<const char*>(text.data()), text.size())));
  stream.Seek(0, TSeekOrigin::soEnd);
  return binary;
}

void ReadCopy(TvgObject& target, const TStreamObject& description) {
  // Loading a copy counts as design work (stored animations, say, do not start); the state
  // is restored afterwards unless the object was in it already.
  const bool designing = target.IsDesigning();
  target.SetDesigning(true);
  try {
    Trace(ReadComponent(target, description, TReadOptions{.Copy = true}));
  } catch (...) {
    target.SetDesigning(designing);
    throw;
  }
  target.SetDesigning(designing);
}

}  // namespace

void TvgObject::SaveToBinStream(TMemoryStream& AStream) const { WriteComponent(AStream, *this); }

void TvgObject::LoadFromBinStream(TMemoryStream& AStream) { Trace(ReadComponent(*this, ReadDescription(AStream))); }

void TvgObject::SaveToStream(TMemoryStream& AStream) const {
  const std::string text = ObjectBinaryToText(WriteComponentStream(*this));
  AStream.Write(text.data(), static_cast<std::int64_t>(text.size()));
}

void TvgObject::LoadFromStream(TMemoryStream& AStream) {
  TMemoryStream binary = TextToBinary(AStream);
  LoadFromBinStream(binary);
}

void TvgObject::LoadCloneFromBinStream(TMemoryStream& AStream) { ReadCopy(*this, ReadDescription(AStream)); }

TvgObject* TvgObject::Clone(TComponent* AOwner) {
  TMemoryStream stream;
  const std::u16string name = Name();
  SetName(u"");
  try {
    SaveToBinStream(stream);
  } catch (...) {
    SetName(name);
    throw;
  }
  SetName(name);
  auto* clone = static_cast<TvgObject*>(ClassType().Create(AOwner));
  stream.SetPosition(0);
  try {
    clone->LoadCloneFromBinStream(stream);
  } catch (...) {
    delete clone;
    throw;
  }
  return clone;
}

void TvgObject::CloneChildFromStream(TMemoryStream& AStream) {
  TvgObject* loaded = CreateObjectFromStream(this, AStream);
  if (!loaded) return;
  if (loaded->ChildrenCount() == 0) {
    delete loaded;  // it brought nothing; left alive, the global style lookup could find it
    return;
  }
  DeleteChildren();
  while (loaded->ChildrenCount() > 0) {
    TvgObject* child = loaded->Children(0);
    child->LockAsClonedChild();
    child->SetStored(false);
    child->SetParent(this);
  }
  RealignClonedChildren(*loaded);
  // The emptied object goes, or the global style lookup could find it. What it read it owns:
  // that stays, owned by this object.
  while (loaded->ComponentCount() > 0) InsertComponent(loaded->Components(0));
  delete loaded;
}

TvgObject* CreateObjectFromBinStream(TComponent* AOwner, TMemoryStream& AStream) {
  const std::int64_t start = AStream.Position();
  TvgObject* object = nullptr;
  try {
    const TStreamObject description = ReadDescription(AStream);
    const TClassInfo* info = FindComponentClass(FromShortString(description.ClassName));
    if (!info || !info->IsCreatable() || !info->InheritsFrom(TvgObject::StaticClassInfo()))
      throw EClassNotFound(FromShortString(description.ClassName));
    object = static_cast<TvgObject*>(info->Create(AOwner));
    ReadCopy(*object, description);
  } catch (const Exception&) {
    delete object;
    AStream.SetPosition(start);
    return nullptr;
  }
  return object;
}

TvgObject* CreateObjectFromStream(TComponent* AOwner, TMemoryStream& AStream) {
  AStream.SetPosition(0);
  try {
    TMemoryStream binary = TextToBinary(AStream);
    return CreateObjectFromBinStream(AOwner, binary);
  } catch (const Exception&) {
    return nullptr;
  }
}

}  // namespace vd
