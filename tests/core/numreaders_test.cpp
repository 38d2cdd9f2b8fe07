// Reading typed numbers: accepted forms, inclusive bounds and the exact message texts.
#include "core/numreaders.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sonvela;

namespace {
const char* Label = "Длина зала по его центральной оси, м";
}

TEST(NumberReaders, FloatFormsWithTheGivenSeparator)
{
  struct Case { const char* text; char sep; TNumberStatus status; double value; };
  const Case cases[] = {
    {"60", ',', TNumberStatus::Ok, 60},
    {"1", ',', TNumberStatus::Ok, 1},            // both bounds are inside
    {" 12,5 ", ',', TNumberStatus::Ok, 12.5},
    {"+7,", ',', TNumberStatus::Ok, 7},
    {",5", ',', TNumberStatus::OutOfRange, 0.5},
    {"2,5e1", ',', TNumberStatus::Ok, 25},
    {"12.5", '.', TNumberStatus::Ok, 12.5},
    {"12.5", ',', TNumberStatus::Malformed, 0},  // only the locale's separator
    {"12,5", '.', TNumberStatus::Malformed, 0},
    {"", ',', TNumberStatus::Malformed, 0},
    {" ", ',', TNumberStatus::Malformed, 0},
    {",", ',', TNumberStatus::Malformed, 0},
    {"1,2,3", ',', TNumberStatus::Malformed, 0},
    {"12a", ',', TNumberStatus::Malformed, 0},
    {"1e", ',', TNumberStatus::Malformed, 0},
    {"+-3", ',', TNumberStatus::Malformed, 0},
    {"nan", ',', TNumberStatus::Malformed, 0},
    {"inf", ',', TNumberStatus::Malformed, 0},
    {"1e400", ',', TNumberStatus::Malformed, 0},  // beyond a double
    {"0x10", ',', TNumberStatus::Malformed, 0},
    {"60,5", ',', TNumberStatus::OutOfRange, 60.5},
    {"0,999", ',', TNumberStatus::OutOfRange, 0.999},
    {"-3", ',', TNumberStatus::OutOfRange, -3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto r = parseFloat(c.text, Label, 1, 60, c.sep);
    EXPECT_EQ(r.Status, c.status);
    if (c.status != TNumberStatus::Malformed) {
      EXPECT_EQ(r.Value, c.value);
    }
    EXPECT_EQ(r.Message.empty(), c.status == TNumberStatus::Ok);
  }
}

TEST(NumberReaders, MessagesAreFormattedExactly)
{
  EXPECT_EQ(parseFloat("60,5", Label, 1, 60, ',').Message,
            "Число \"Длина зала по его центральной оси, м\" должно быть больше, чем    1,000 и меньше, чем   60,000");
  EXPECT_EQ(parseFloat("-1", "Площадь", 1, 10000000, '.').Message,
            "Число \"Площадь\" должно быть больше, чем    1.000 и меньше, чем 10000000.000");
  EXPECT_EQ(parseFloat("x", Label, 1, 60, ',').Message, "Число \"Длина зала по его центральной оси, м\" записано неверно");
  EXPECT_EQ(parseInteger("12a", "Количество зрительских мест", 1, 1000000).Message,
            "Число \"Количество зрительских мест\" записано неверно");
  EXPECT_EQ(parseInteger("0", "Количество зрительских мест", 1, 1000000).Message,
            "Число \"Количество зрительских мест\" должно быть больше, чем 1 и меньше, чем 1000000");
  // A label that looks like a format stays text.
  EXPECT_EQ(malformedNumberMessage("%d %s"), "Число \"%d %s\" записано неверно");
  EXPECT_EQ(formatFixed(300, 6, ','), "300,000000");
  EXPECT_EQ(formatFixed(0.0005, 3, '.', 8), "   0.001");  // printf rounding of a tie below
}

TEST(NumberReaders, SoftReadingKeepsTheValueOutOfRange)
{
  const auto r = parseFloat("1,2", "125 Гц", 0, 0.9999, ',');
  EXPECT_EQ(r.Status, TNumberStatus::OutOfRange);
  EXPECT_EQ(r.Value, 1.2);
  EXPECT_EQ(r.Message, "Число \"125 Гц\" должно быть больше, чем    0,000 и меньше, чем    1,000");
}

TEST(NumberReaders, IntegerForms)
{
  struct Case { const char* text; TNumberStatus status; int value; };
  const Case cases[] = {
    {"300", TNumberStatus::Ok, 300},
    {" 1 ", TNumberStatus::Ok, 1},
    {"+1000000", TNumberStatus::Ok, 1000000},
    {"1000001", TNumberStatus::OutOfRange, 1000001},
    {"-5", TNumberStatus::OutOfRange, -5},
    {"1,0", TNumberStatus::Malformed, 0},
    {"1e3", TNumberStatus::Malformed, 0},
    {"+-1", TNumberStatus::Malformed, 0},
    {"- 1", TNumberStatus::Malformed, 0},
    {"", TNumberStatus::Malformed, 0},
    {"99999999999", TNumberStatus::Malformed, 0},  // beyond 32 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto r = parseInteger(c.text, "N", 1, 1000000);
    EXPECT_EQ(r.Status, c.status);
    if (c.status != TNumberStatus::Malformed) {
      EXPECT_EQ(r.Value, c.value);
    }
  }
}
