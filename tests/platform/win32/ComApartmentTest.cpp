// COM for a thread while the object lives: begun and ended in balance, never ended when the
// thread's COM was another model's.

#include "platform/win32/ComApartment.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <optional>
#include <thread>

namespace vd::win32 {
namespace {

// The thread's apartment, or nothing when COM is not initialised on it.
std::optional<APTTYPE> Apartment() {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  if (CoGetApartmentType(&type, &qualifier) != S_OK) return std::nullopt;
  return type;
}

void OnNewThread(const std::function<void()>& body) { std::thread(body).join(); }

TEST(ComApartmentTest, BeginsAnApartmentAndEndsItWhenItGoes) {
  OnNewThread([] {
    {
      const TComApartment com;
      EXPECT_TRUE(com.Usable());
      // The first apartment-threaded one of the process is its main one.
      EXPECT_TRUE(Apartment() == APTTYPE_STA || Apartment() == APTTYPE_MAINSTA);
      const TComApartment again;  // a second one on the same thread counts once more
      EXPECT_TRUE(again.Usable());
    }
    EXPECT_EQ(Apartment(), std::nullopt);
  });
}

TEST(ComApartmentTest, OnAThreadOfAnotherModelItIsUsableAndEndsNothing) {
  OnNewThread([] {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
      const TComApartment com;
      EXPECT_TRUE(com.Usable());
    }
    EXPECT_EQ(Apartment(), APTTYPE_MTA);
    CoUninitialize();
  });
}

}  // namespace
}  // namespace vd::win32
