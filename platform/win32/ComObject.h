#pragma once
// The IUnknown part of a COM object of our own that implements one interface: a thread-safe
// reference count that frees the object at its last Release, and QueryInterface answering
// for IUnknown and that interface. A new object holds one reference, its creator's.

#include <windows.h>

#include <atomic>

namespace vd::win32 {

template <class TInterface>
class TComObject : public TInterface {
public:
  TComObject() = default;
  virtual ~TComObject() = default;
  // COM holds the object by its address.
  TComObject(const TComObject&) = delete;
  TComObject& operator=(const TComObject&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FReferences;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, __uuidof(TInterface))) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<TInterface*>(this);
    AddRef();
    return S_OK;
  }

private:
  std::atomic<ULONG> FReferences{1};
};

}  // namespace vd::win32
