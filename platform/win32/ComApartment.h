#pragma once
// COM for the calling thread while the object lives, apartment-threaded: an initialisation
// of its own, ended again when it goes, or none when the thread already runs COM in another
// model (COM is usable then, and not this object's to end).

#include <windows.h>

namespace vd::win32 {

class TComApartment {
public:
  TComApartment();
  ~TComApartment();
  // Ends what the constructor began, on the thread that began it.
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

  // Whether COM can be used on this thread.
  bool Usable() const { return FUsable; }

private:
  bool FInitialized = false;
  bool FUsable = false;
};

}  // namespace vd::win32
