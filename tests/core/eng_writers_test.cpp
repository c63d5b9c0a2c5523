// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/eng_writers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <span>
#include <string>
#include <tuple>

#include "core/eng_reader.h"
#include "core/file_numbers.h"

namespace kestro {
namespace {

float Read(std::string_view text) {
  float value = -12345.0f;
  ReadEngValue(text, value);
  return value;
}

// The writers under one signature; the plain forms with an explicit separator.
using Writer = std::string (*)(double);
const Writer Freq = [](double v) { return FormatFreq(static_cast<float>(v)); };
const Writer Cap = [](double v) { return FormatCap(static_cast<float>(v), '.'); };
const Writer Eng = [](double v) { return FormatEng(static_cast<float>(v), '.'); };
const Writer Num = [](double v) { return FormatNum(static_cast<float>(v), '.'); };

struct WriteCase {
  double value;
  const char* expected;
};

TEST(PageWriters, WriteTheDocumentedTexts) {
  // Signed form: rows on the value itself, decimals by the scaled value, no zero before the point.
  const WriteCase freq[] = {
      {3000, " 3K "},           {0.1, " 100mH"},        {12.5, " 12.5Hz"}, {0, "0.0 "},
      {999.999, " 1000Hz"},     {2.5e9, " 2.5G "},      {0.0005, " .5mH"}, {-0.5, "-500mH"},
      {1234.5678, " 1.2346K "}, {56.78912, " 56.789Hz"}};
  // Capacitors: no nanofarad row, pF below 0.01 uF, nothing below 0.01 pF; the designed values
  // keep their digits.
  const WriteCase cap[] = {{1e-8, "0.01uF"}, {9.99e-9, "9990pF"}, {1e-15, ""},
                           {0, ""},          {1e-14, "0.01pF"},   {1.5, "1.5F"},
                           {0.047, "47mF"},  {1e5, "0.1MF"},      {-4.7e-9, "-4700pF"},
                           {3.3e-6, "3.3uF"}};
  const WriteCase designCaps[] = {{4.716172e-9, "4716.17pF"}, {1.2009e-8, "0.012009uF"}};
  const WriteCase eng[] = {{0.0012, "1.2m"},       {0, "0  "},         {3.5, "3.5  "},
                           {1234, "1.234K"},       {1e-10, "100p"},    {-0.0012, "-1.2m"},
                           {1.23456e-4, "123.5u"}, {4.7e-9, "4.7n"},   {2345678, "2.346M"},
                           {123456, "123.5K"},     {1.5e-13, "0.15p"}, {5e9, "5G"}};
  // Plain numbers: decimals fixed by the row, nothing at or below 1e-5.
  const WriteCase num[] = {
      {47000, "47k"},  {512, "512 "},       {-50, "-50 "},         {1e-5, "0"},
      {0, "0"},        {2e-5, "0.00002 "},  {12.3456, "12.346 "},  {123.456, "123.46 "},
      {2.5e9, "2.5G"}, {1234567, "1.235M"}, {-3.0103, "-3.0103 "}, {999.999, "1000 "},
      {1.00001, "1 "}};
  const std::tuple<const char*, Writer, std::span<const WriteCase>> tables[] = {
      {"freq", Freq, freq},
      {"cap", Cap, cap},
      {"designCaps", Cap, designCaps},
      {"eng", Eng, eng},
      {"num", Num, num}};
  for (const auto& [name, writer, cases] : tables) {
    for (const WriteCase& c : cases) {
      SCOPED_TRACE(testing::Message() << name << " value " << c.value);
      EXPECT_EQ(writer(c.value), c.expected);
    }
  }
}

// The plain form uses the separator given, or the one the program chose from a locale; the
// process locale never changes it, nor the signed form, the file forms or the reader. Each
// decimal-comma locale that is installed is checked as well as "C".
TEST(PageWriters, PlainFormUsesTheChosenLocalesSeparatorOnly) {
  EXPECT_EQ(FormatCap(4.71617e-9f, ','), "4716,17pF");
  EXPECT_EQ(FormatEng(0.0012f, ','), "1,2m");
  EXPECT_EQ(FormatNum(47500.0f, ','), "47,5k");
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  for (const char* name : {"C", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) == nullptr)
      continue;
    SCOPED_TRACE(name);
    EXPECT_EQ(FormatNum(0.5f), "0.5 ");  // the process locale alone changes nothing
    ASSERT_TRUE(UseLocaleDecimalSeparator(name));
    std::setlocale(LC_NUMERIC, "C");
    const std::string separator(1, name[0] == 'C' ? '.' : ',');
    EXPECT_EQ(FormatCap(1e-8f), "0" + separator + "01uF");
    EXPECT_EQ(FormatNum(0.5f), "0" + separator + "5 ");
    EXPECT_EQ(FormatEng(0.0012f), "1" + separator + "2m");
    EXPECT_EQ(FormatFreq(12.5f), " 12.5Hz");
    EXPECT_EQ(PlainNumber(0.0012), "0.0012");
    EXPECT_EQ(PadField(-3.0103), "-3.0103       ");
    EXPECT_NEAR(Read("1.5E-3"), 0.0015f, 1e-10f);
    EXPECT_NEAR(Read("1,5E-3"), 0.0015f, 1e-10f);
    ASSERT_TRUE(UseLocaleDecimalSeparator("C"));
  }
  EXPECT_FALSE(UseLocaleDecimalSeparator("xx_NOWHERE.UTF-8"));
  EXPECT_EQ(FormatNum(0.5f), "0.5 ");
  std::setlocale(LC_NUMERIC, previous.c_str());
}

// Every writer's text, the page's and the files', reads back to the written value within the
// precision it shows, over values spread log-uniformly across its range.
TEST(PageWriters, OutputsReadBackWithinTheirShownPrecision) {
  const struct {
    Writer writer;
    double low, high;  // magnitudes swept
    double tolerance;  // relative: half a unit in the last shown decimal at the smallest x
    bool negatives;
  } ranges[] = {
      // 4 decimals at x = 1, 2 at x = 100: 5e-5. Negative frequencies all fall in the
      // millihertz row, which overflows 12 characters beyond -1e6 mHz: checked below.
      {Freq, 1e-3, 1e10, 5.1e-5, false},
      {Cap, 1e-13, 1e10, 5.1e-5, true},
      {Eng, 1e-12, 1e10, 5.1e-4, true},  // 1 decimal at x = 100, 3 at x = 1
      {Num, 1.0, 1e10, 5.1e-4, true},    // 3 decimals of k, M, G
      // seven significant digits; a negative value in exponent form keeps six to fit 12
      {[](double v) { return PlainNumber(v); }, 1e-15, 1e10, 6e-7, false},
      {[](double v) { return PlainNumber(v); }, 1e-3, 9.9e6, 6e-7, true},
      {[](double v) { return SignedPositionNumber(v); }, 1e-15, 1e10, 5.1e-6, true},
      // the tabulated file is not read back: no negatives
      {[](double v) { return PadField(v); }, 1e-15, 1e10, 6e-7, false},
  };
  for (const auto& r : ranges) {
    for (int i = 0; i <= 400; ++i) {
      const float magnitude = static_cast<float>(r.low * std::pow(r.high / r.low, i / 400.0));
      for (const float value : {magnitude, -magnitude}) {
        if (value < 0 && !r.negatives)
          continue;
        const std::string text = r.writer(value);
        EXPECT_NEAR(Read(text), value, std::fabs(value) * r.tolerance)
            << "wrote \"" << text << "\" for " << value;
      }
    }
  }
  for (const float value : {-0.5f, -3.0f, -1234.5f})
    EXPECT_NEAR(Read(Freq(value)), value, std::fabs(value) * 1e-6) << Freq(value);
}

}  // namespace
}  // namespace kestro
