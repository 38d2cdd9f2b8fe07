// The 1251 codec, the bounds-checked reader and writer, rounding and checked sums.
#include "core/binary.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace sonvela;

TEST(Cp1251, RoundTripsEveryByteAndReplacesWhatItCannotHold)
{
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(toCp1251(fromCp1251(all)), all);
  EXPECT_EQ(toCp1251("Зал"), "\xC7\xE0\xEB");
  EXPECT_EQ(fromCp1251("\xA8\xB8\xB9"), "Ёё№");
  EXPECT_EQ(toCp1251("a中b€"), "a?b\x88");
  EXPECT_EQ(toCp1251("x\xFFy\xD0"), "x?y?");  // broken UTF-8
}

TEST(BinaryRecord, WritesLittleEndianAndReadsBack)
{
  TBinaryWriter w;
  w.WriteString("Зал");
  w.WriteString("");
  w.WriteByte(6);
  w.WriteBoolean(true);
  w.WriteInt32(-2);
  w.WriteInt64(0x0102030405060708LL);
  w.WriteDouble(0.5);
  const Bytes expected = {3, 0, 0, 0, 0xC7, 0xE0, 0xEB, 0, 0, 0, 0, 6, 1, 0xFE, 0xFF, 0xFF, 0xFF,
                          8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0xE0, 0x3F};
  EXPECT_EQ(w.Data(), expected);

  TBinaryReader r(w.Data());
  EXPECT_EQ(r.ReadString(), "Зал");
  EXPECT_EQ(r.ReadString(), "");
  EXPECT_EQ(r.ReadByte(), 6);
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_EQ(r.ReadInt32(), -2);
  EXPECT_EQ(r.ReadInt64(), 0x0102030405060708LL);
  EXPECT_EQ(r.ReadDouble(), 0.5);
  EXPECT_TRUE(r.AtEnd());
}

TEST(BinaryRecord, HostileLengthsFailWithTheirOffset)
{
  struct Case { Bytes data; std::size_t offset; };
  const Case cases[] = {
    {{0xFF, 0xFF, 0xFF, 0x7F, 'a'}, 0},  // string length far beyond the file
    {{1, 0, 0}, 0},                      // truncated length
    {{2, 0, 0, 0, 'a'}, 0},              // one byte short
  };
  for (const auto& c : cases) {
    TBinaryReader r(c.data);
    try {
      r.ReadString();
      ADD_FAILURE() << "read past the end";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.offset(), c.offset);
    }
  }
  const Bytes negative = {0xFB, 0xFF, 0xFF, 0xFF, 9};
  TBinaryReader r(negative);
  EXPECT_EQ(r.ReadString(), "");  // n <= 0 is the empty string, nothing follows
  EXPECT_EQ(r.ReadByte(), 9);

  const Bytes count = {0x00, 0x00, 0x00, 0x40, 1, 2, 3, 4};
  TBinaryReader rc(count);
  try {
    rc.CheckCount(rc.ReadInt32(), 4, "items");
    ADD_FAILURE() << "a billion items accepted";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.offset(), 0u);
  }
}

TEST(Numeric, RoundsHalfToEvenAndChecksRange)
{
  const std::pair<double, int> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2},
                                          {2.4999, 2}, {-2.6, -3}, {2147483647.0, 2147483647}};
  for (auto [v, want] : cases) EXPECT_EQ(roundToInt(v), want) << v;
  EXPECT_THROW(roundToInt(2147483647.5), ERangeError);  // ties to even: 2^31
  EXPECT_THROW(roundToInt(-2147483649.0), ERangeError);
  EXPECT_THROW(roundToInt(std::nan("")), ERangeError);
  EXPECT_THROW(checkedAdd(2147483647, 1), ERangeError);
  EXPECT_THROW(checkedSub(-2147483647 - 1, 1), ERangeError);
  EXPECT_EQ(checkedSub(5, 7), -2);
  EXPECT_THROW(checkedMul64(INT64_C(1) << 32, INT64_C(1) << 31), ERangeError);
  EXPECT_THROW(checkedAdd64(INT64_MAX, 1), ERangeError);
  EXPECT_THROW(checkedSub64(INT64_MIN, 1), ERangeError);
  EXPECT_EQ(checkedMul64(-2147483648LL, 2147483647LL), -4611686016279904256LL);
}

TEST(Files, AtomicWriteReplacesOrKeepsTheOldFile)
{
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "sonvela_binary_test";
  fs::create_directories(dir);
  const fs::path f = dir / "a.bin";
  writeFileAtomic(f, Bytes{1, 2, 3});
  EXPECT_EQ(readFileBytes(f), (Bytes{1, 2, 3}));
  EXPECT_THROW(writeFileAtomic(dir / "missing" / "b.bin", Bytes{1}), EWriteError);
  EXPECT_THROW(readFileBytes(dir / "missing.bin"), EReadError);
  EXPECT_EQ(readFileBytes(f), (Bytes{1, 2, 3}));
  fs::remove_all(dir);
}

TEST(Errors, AssertionNamesOurSourceFile)
{
  try {
    SONVELA_ASSERT(1 + 1 == 3);
    FAIL();
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Assertion failure (tests/core/binary_test.cpp, line ", 0), 0u) << e.what();
  }
}
