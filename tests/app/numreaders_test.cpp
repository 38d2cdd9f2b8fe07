// The windows' number readers: the locale's separator, the message box, abandoning the operation.
#include "app/numreaders.h"
#include "core/errors.h"
#include "scripted_ui.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace sonvela;

namespace {

TEST(NumberReaders, FloatBoundsAreInclusiveAndTheRangeMessageShowsThem)
{
  test::TScriptedUi ui;
  EXPECT_EQ(decimalSeparator(), ','); // the tests run in a Russian locale
  EXPECT_EQ(ReadFloat("60", "Длина", 1, 60), 60.0);
  EXPECT_EQ(ReadFloat("1", "Длина", 1, 60), 1.0);
  EXPECT_EQ(ReadFloat(" 12,25 ", "Длина", 1, 60), 12.25);
  EXPECT_TRUE(ui.messages.isEmpty());

  EXPECT_THROW(ReadFloat("60,5", "Длина зала по его центральной оси, м", 1, 60), EAbort);
  ASSERT_EQ(ui.messages.size(), 1);
  EXPECT_EQ(ui.messages[0], QString::fromUtf8("Число \"Длина зала по его центральной оси, м\" должно быть больше, "
                                              "чем    1,000 и меньше, чем   60,000"));
}

TEST(NumberReaders, MalformedTextsAbandonAfterOneMessage)
{
  test::TScriptedUi ui;
  for (const char* text : {"12a", "", "60.5", "1,2,3"}) {
    ui.messages.clear();
    EXPECT_THROW(ReadFloat(text, "Поле", 0, 100), EAbort) << text;
    ASSERT_EQ(ui.messages.size(), 1) << text;
    EXPECT_EQ(ui.messages[0], QString::fromUtf8("Число \"Поле\" записано неверно"));
  }
  ui.messages.clear();
  EXPECT_THROW(ReadInteger("12a", "Количество зрительских мест", 1, 1000000), EAbort);
  EXPECT_EQ(ui.messages, QStringList{QString::fromUtf8("Число \"Количество зрительских мест\" записано неверно")});
  ui.messages.clear();
  EXPECT_THROW(ReadInteger("0", "Места", 1, 1000000), EAbort);
  EXPECT_EQ(ui.messages, QStringList{QString::fromUtf8("Число \"Места\" должно быть больше, чем 1 и меньше, чем 1000000")});
}

TEST(NumberReaders, SoftReaderReturnsOutOfRangeValuesAfterTheMessage)
{
  test::TScriptedUi ui;
  EXPECT_DOUBLE_EQ(ReadFloatSoft("1,2", "125 Гц", 0, 0.9999), 1.2);
  ASSERT_EQ(ui.messages.size(), 1);
  EXPECT_TRUE(ui.messages[0].contains("    0,000"));
  EXPECT_TRUE(ui.messages[0].contains("    1,000")); // 0.9999 with three decimals
  EXPECT_THROW(ReadFloatSoft("x", "125 Гц", 0, 0.9999), EAbort);
  EXPECT_EQ(ui.messages.size(), 2);
}

TEST(NumberReaders, NumbersAreWrittenWithTheLocaleSeparator)
{
  EXPECT_EQ(formatFixed(300, 6), "300,000000");
  EXPECT_EQ(formatFixed(0.0625, 3), "0,062"); // halves of the printed digit go to even, as printf does
  struct Case { double v; const char* text; };
  for (const Case& c : {Case{1000, "1000"}, Case{100000000, "100000000"}, Case{0.5, "0,5"},
                        Case{0.1 + 0.2, "0,30000000000000004"}, Case{20.25, "20,25"}})
    EXPECT_EQ(formatShortest(c.v), QString(c.text)) << c.v;
}

TEST(NumberReaders, PointLocaleReadsAndWritesPoints)
{
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  test::TScriptedUi ui;
  EXPECT_EQ(decimalSeparator(), '.');
  EXPECT_EQ(ReadFloat("60.5", "L", 1, 100), 60.5);
  EXPECT_THROW(ReadFloat("60,5", "L", 1, 100), EAbort);
  EXPECT_EQ(formatFixed(1.5, 2), "1.50");
  QLocale::setDefault(saved);
}

} // namespace
