#include "profile/FunctionTable.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(FunctionTableTest, DefaultFunctionTableMatchesTheConfiguratorsTable) {
  // Function index, type, code, as the configurator assigns them.
  const int expected[37][3] = {
      {0, 1, 1},      {1, 2, 2},      {2, 3, 3},      {3, 5, 4},      {4, 4, 5},      {5, 16, 6},     {6, 15, 7},
      {7, 15, 801},   {8, 15, 802},   {9, 15, 803},   {10, 15, 804},  {11, 15, 805},  {12, 15, 806},  {13, 15, 807},
      {14, 15, 808},  {15, 15, 901},  {16, 15, 902},  {17, 15, 903},  {18, 15, 904},  {19, 15, 905},  {20, 15, 906},
      {21, 14, 1001}, {22, 14, 1002}, {23, 14, 1003}, {24, 14, 1004}, {25, 14, 1005}, {26, 14, 1006}, {27, 14, 1007},
      {28, 19, 1008}, {29, 14, 1009}, {30, 17, 11},   {31, 18, 12},   {32, 8, 13},    {33, 10, 14},   {34, 9, 15},
      {35, 13, 16},   {36, 14, 17},
  };
  for (int i = 0; i < 37; ++i) {
    EXPECT_EQ(DefaultFunctionTable[i].Index, expected[i][0]) << "row " << i;
    EXPECT_EQ(DefaultFunctionTable[i].Type, expected[i][1]) << "row " << i;
    EXPECT_EQ(DefaultFunctionTable[i].Code, expected[i][2]) << "row " << i;
  }
  EXPECT_EQ(DefaultFunctionTable[FunctionIndexMicrophoneMute].Type, 19);
}

}  // namespace
}  // namespace vd
