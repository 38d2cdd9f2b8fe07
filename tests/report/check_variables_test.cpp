// Report variables of the hall check: values and the formats the report prints them in.
#include "core/room.h"
#include "core/surfaces.h"
#include "report/check_variables.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace sonvela;
using namespace sonvela::report;

TEST(FormatFixed, DigitsSeparatorAndSigns)
{
  struct TCase {
    double Value;
    int Digits;
    const char* Separator;
    const char* Text;
  };
  const TCase cases[] = {
      {1000, 2, ",", "1000,00"},        {1000, 2, ".", "1000.00"},
      {0.0206, 2, ",", "0,02"},         {0.125, 2, ",", "0,12"},  // a tie goes to even
      {2.675, 2, ",", "2,67"},          // 2.675 is stored just below the tie
      {100000000, 2, ",", "100000000,00"},  // no grouping
      {-0.33325478725575813, 5, ",", "-0,33325"},
      {-0.004, 2, ",", "0,00"},         // no "-0,00"
      {-0.0, 5, ".", "0.00000"},        {900, 3, ",", "900,000"},
      {1.23456789, 0, ",", "1"},
  };
  for (const TCase& c : cases) EXPECT_EQ(formatFixed(c.Value, c.Digits, c.Separator), c.Text) << c.Value;
  EXPECT_EQ(formatFixed(std::numeric_limits<double>::infinity(), 2, ","), "—");
  EXPECT_EQ(formatFixed(std::nan(""), 2, ","), "—");
  EXPECT_EQ(formatFixed(std::optional<double>{}, 2, ","), "—");
  EXPECT_EQ(formatFixed(1e300, 2, ",").size(), 301u + 3u);  // every digit, nothing cut
}

TEST(CheckReportVariables, NewProjectAsTheReportPrintsIt)
{
  TRoom room;
  room.Calculate();
  const TVariableMap v = checkReportVariables(room, ",");
  const std::pair<const char*, const char*> expected[] = {
      {"RoomName", ""},
      {"ZalTypeStr", "Многоцелевой зал"},
      {"PlacesInt", "300"},
      {"VInt", "1000,00"},
      {"Lint", "20,00"},
      {"SzalInt", "100,00"},
      {"SogrInt", "4200,00"},
      {"VudelMaxStr", "4-6"},
      {"LMaxStr", "30-34"},
      {"VudelInt", "3,33"},
      {"VudelStr", "Удельный воздушный объем на одно зрительское место НЕудовлетворяет требованиям СНиП"},
      {"LLDopStr", "условие выполняется"},
      {"LBStr", "НЕсоответствует требованию СНиП: 1 < L/B < 2"},
      {"BHStr", "НЕсоответствует требованию СНиП: 1 < B/H < 2"},
      {"Breal", "5,00"},
      {"Hreal", "10,00"},
      {"LBreal", "4,00"},
      {"BHreal", "0,50"},
      {"fkr", "70,58"},
      {"FkrStr", "т.к. Fкр < 125, то определяем время реверберации в зале"},
      {"A0", "0,50"},
      {"A5", "0,50"},
      {"Res132", "В данном зале НЕ выдержаны основные требования к его объемно-планировочному решению"},
      {"Res133a", ""},
  };
  for (const auto& [name, text] : expected) {
    ASSERT_TRUE(v.count(name)) << name;
    EXPECT_EQ(v.at(name), text) << name;
  }
}

TEST(CheckReportVariables, WorkedExampleTimesRatiosAndTolerances)
{
  TRoom room;
  room.FVolume = 1500;
  room.FEnclosingArea = 1000;
  room.FAlpha.fill(0.25);
  room.Calculate();
  const TVariableMap v = checkReportVariables(room, ".");
  EXPECT_EQ(v.at("T0"), "0.85");
  EXPECT_EQ(v.at("T3"), "0.85");
  EXPECT_EQ(v.at("T4"), "0.81");
  EXPECT_EQ(v.at("T5"), "0.76");
  EXPECT_EQ(v.at("Kn"), "0.00000");
  EXPECT_EQ(v.at("Kv"), "-0.33325");
  EXPECT_EQ(v.at("Topt"), "1.04");
  EXPECT_EQ(v.at("PorogMin10"), "0.94");
  EXPECT_EQ(v.at("PorogMax10"), "1.15");
  EXPECT_EQ(v.at("PorogMax20"), "1.25");
  EXPECT_EQ(v.at("T0Str"), "НЕ соответствует допустимым пределам");
  EXPECT_EQ(v.at("Knstr"), room.FBassVerdict);
  EXPECT_EQ(v.at("Res133"), "Время реверберации зала по некоторым частотам не укладывается в допустимые пределы");
}

TEST(CheckReportVariables, UndefinedTimesAndRatiosPrintADash)
{
  TRoom room;
  room.FAlpha[0] = 0;  // formula 32 has no value
  room.Calculate();
  const TVariableMap v = checkReportVariables(room, ",");
  EXPECT_EQ(v.at("T0"), "—");
  EXPECT_EQ(v.at("Kn"), "—");
  EXPECT_EQ(v.at("Knstr"), "не определено");
  EXPECT_NE(v.at("Kv"), "—");
}

TEST(CheckReportVariables, CriticalFrequencyAtTheLimitGivesTheApproximateTexts)
{
  TRoom room;
  room.FVolume = 180;
  room.Calculate();
  const TVariableMap v = checkReportVariables(room, ",");
  EXPECT_EQ(v.at("fkr"), "125,00");
  EXPECT_EQ(v.at("FkrStr"), "т.к. Fкр > 125, то дальнейший расчет носит ориентировочный характер");
  EXPECT_EQ(v.at("Res133a"), "Расчет реверберации носит ориентировочный характер");
}

TEST(CheckReportVariables, EveryVariableOfTheTemplateIsAnswered)
{
  TRoom room;
  room.Calculate();
  const TVariableMap v = checkReportVariables(room, ",");
  std::vector<std::string> names{"RoomName", "ZalTypeStr", "PlacesInt", "VInt", "Lint", "SzalInt", "SogrInt",
                                 "VudelMaxStr", "LMaxStr", "VudelInt", "VudelStr", "LLDopStr", "LBStr", "BHStr",
                                 "Breal", "Hreal", "LBreal", "BHreal", "fkr", "FkrStr", "Topt", "PorogMin10",
                                 "PorogMax10", "PorogMax20", "Kn", "Kv", "Knstr", "Kvstr", "Res132", "Res133a", "Res133"};
  for (int i = 0; i < 6; ++i)
    for (const char* p : {"A", "T"}) names.push_back(p + std::to_string(i));
  for (int i = 0; i < 6; ++i) names.push_back("T" + std::to_string(i) + "Str");
  for (const std::string& n : names) EXPECT_TRUE(v.count(n)) << n;
  EXPECT_EQ(v.size(), names.size());
}

TEST(TableRowVariables, NamesOfBothTablesAndThreeDecimals)
{
  TPovPoglot entry;
  entry.FName = "Потолок";
  entry.FMaterialFullName = "Гипсокартон на относе";
  entry.FAmount = 900;
  entry.FCoef = {0.29, 0.1, 0.05, 0.04, 0.07, 0.0906};
  const TReportRecord row = reportRecord(entry);
  const TVariableMap t1 = tableRowVariables(row, 1, ",");
  EXPECT_EQ(t1.at("name_table1"), "Потолок");
  EXPECT_EQ(t1.at("mater_table1"), "Гипсокартон на относе");
  EXPECT_EQ(t1.at("s_table1"), "900,000");
  EXPECT_EQ(t1.at("freq1_1"), "0,290");
  EXPECT_EQ(t1.at("freq6_1"), "0,091");
  EXPECT_EQ(t1.size(), 9u);
  const TVariableMap t2 = tableRowVariables(row, 2, ".");
  EXPECT_EQ(t2.at("s_table2"), "900.000");
  EXPECT_EQ(t2.at("freq6_2"), "0.091");
  EXPECT_FALSE(t2.count("s_table1"));
}
