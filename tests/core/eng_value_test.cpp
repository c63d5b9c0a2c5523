#include "core/eng_value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <span>
#include <string>

namespace kestro {
namespace {

float Read(std::string_view text) {
  float value = -12345.0f;
  ReadEngValue(text, value);
  return value;
}

struct ReadCase {
  const char* text;
  double expected;
};

TEST(ReadEngValueTest, ReadsTextsByItsRules) {
  // Prefix letters; only m (milli) and M (mega) differ by case.
  const ReadCase prefixes[] = {{"4.7k", 4700},     {"10M", 1e7},   {"10m", 0.01}, {"2,2n", 2.2e-9},
                               {"1.5E-3", 0.0015}, {"1p", 1e-12},  {"3P", 3e-12}, {"3N", 3e-9},
                               {"7u", 7e-6},       {"7U", 7e-6},   {"2K", 2000},  {"2g", 2e9},
                               {"2G", 2e9},        {"1ms", 0.001}, {"1Ms", 1e6}};
  // Writer outputs read back, in either decimal separator.
  const ReadCase writerTexts[] = {{" 3K ", 3000},     {"47k", 47000},   {" 100mH", 0.1},
                                  {"1.2m", 0.0012},   {"0.01uF", 1e-8}, {"0,01uF", 1e-8},
                                  {"4700pF", 4.7e-9}, {"-500mH", -0.5}};
  // What follows a prefix or a second exponent is dropped; a sign counts only in front or after
  // the exponent letter; other characters are skipped.
  const ReadCase scanning[] = {
      {"4k7", 4000},   {"1G5", 1e9},       {"1e3k", 1000}, {"3E5M", 3e5},     {"1.2.3", 1.23},
      {"5-", 5},       {"--5", -5},        {"-5", -5},     {"+5", 5},         {"2e+3", 2000},
      {"2e-3", 0.002}, {"1,5E-3", 0.0015}, {"k5", 5},      {"e5", 5},         {"5 k", 5000},
      {"1E", 1},       {"1E+", 1},         {".5", 0.5},    {"-.5m", -0.0005}, {"x1y2", 12}};
  const ReadCase noNumber[] = {{"", 0},  {"   ", 0}, {"abc", 0}, {"+", 0},   {"-", 0},
                               {".", 0}, {",", 0},   {"E", 0},   {"kHz", 0}, {"-E5", 0}};
  // Only the first 12 characters after trimming count.
  const ReadCase twelveCharacters[] = {{"00000000001k", 1000},
                                       {"000000000001k", 1},
                                       {"   00000000001k   ", 1000},
                                       {"1.5         k", 1.5},
                                       {"0.0000000001k", 1e-10}};
  // Clamped to +/-1e10; an overflow in the conversion always gives +1e10.
  const ReadCase clamped[] = {{"99999999999", 1e10}, {"-99999999999", -1e10}, {"2e10", 1e10},
                              {"-2e10", -1e10},      {"1e3e4", 1e10},         {"1.5e3.7", 1e10},
                              {"1E400", 1e10},       {"3e38k", 1e10},         {"-3e38k", -1e10},
                              {"-9E99", 1e10},       {"-1E400", 1e10},        {"1E-99", 0},
                              {"1E-400", 0}};
  using Table = std::span<const ReadCase>;
  for (const Table table : {Table(prefixes), Table(writerTexts), Table(scanning), Table(noNumber),
                            Table(twelveCharacters), Table(clamped)}) {
    // The tolerance is a few units in the last place of a single-precision product.
    for (const ReadCase& c : table)
      EXPECT_NEAR(Read(c.text), c.expected, std::fabs(c.expected) * 4e-7) << '"' << c.text << '"';
  }
}

TEST(ReadEngValueTest, IntegerTargetRoundsHalfToEvenAndSaturates) {
  const struct {
    const char* text;
    int16_t expected;
  } cases[] = {{"512", 512},     {"2.5", 2},         {"3.5", 4},     {"-2.5", -2},
               {"12.7", 13},     {"2k", 2000},       {"0.4", 0},     {"abc", 0},
               {"40000", 32767}, {"-40000", -32768}, {"9E99", 32767}};
  for (const auto& c : cases) {
    int16_t value = -123;
    ReadEngValue(c.text, value);
    EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
  }
}

// The writers under one signature; the plain forms with an explicit separator.
using Writer = std::string (*)(double);
const Writer Freq = [](double v) { return FormatFreq(static_cast<float>(v)); };
const Writer Cap = [](double v) { return FormatCap(static_cast<float>(v), '.'); };
const Writer CapComma = [](double v) { return FormatCap(static_cast<float>(v), ','); };
const Writer Eng = [](double v) { return FormatEng(static_cast<float>(v), '.'); };
const Writer EngComma = [](double v) { return FormatEng(static_cast<float>(v), ','); };
const Writer Num = [](double v) { return FormatNum(static_cast<float>(v), '.'); };
const Writer NumComma = [](double v) { return FormatNum(static_cast<float>(v), ','); };
const Writer Plain = [](double v) { return PlainNumber(v); };
const Writer Signed = [](double v) { return SignedPositionNumber(v); };
const Writer Pad = [](double v) { return PadField(v); };

struct WriteCase {
  double value;
  const char* expected;
};

TEST(WriterTest, WritesTheDocumentedTexts) {
  // Signed form: rows on the value itself, decimals by the scaled value, no zero before the point.
  const WriteCase freq[] = {
      {3000, " 3K "},    {1000, " 1K "},  {0.1, " 100mH"},          {1e7, " 10M "},
      {12.5, " 12.5Hz"}, {0, "0.0 "},     {999.999, " 1000Hz"},     {1e9, " 1G "},
      {2.5e9, " 2.5G "}, {5e8, " 500M "}, {0.0005, " .5mH"},        {-0.5, "-500mH"},
      {1, " 1Hz"},       {0.001, " 1mH"}, {1234.5678, " 1.2346K "}, {56.78912, " 56.789Hz"},
      {1e10, " 10G "}};
  // Capacitors: no nanofarad row, pF below 0.01 uF, nothing below 0.01 pF.
  const WriteCase cap[] = {{1e-8, "0.01uF"}, {4.7e-9, "4700pF"},   {2.2e-7, "0.22uF"},
                           {1e-15, ""},      {9.99e-9, "9990pF"},  {0, ""},
                           {1e-13, "0.1pF"}, {1e-14, "0.01pF"},    {1.5, "1.5F"},
                           {0.047, "47mF"},  {100, "0.1KF"},       {1e5, "0.1MF"},
                           {2e7, "0.02GF"},  {-4.7e-9, "-4700pF"}, {3.3e-6, "3.3uF"}};
  const WriteCase designCaps[] = {
      {4.716172e-9, "4716.17pF"}, {1.2009e-8, "0.012009uF"}, {6.86e-10, "686pF"}};
  const WriteCase eng[] = {{0.0012, "1.2m"},  {0, "0  "},         {3.5, "3.5  "},
                           {1234, "1.234K"},  {1e-10, "100p"},    {2.5e-5, "25u"},
                           {5e9, "5G"},       {-0.0012, "-1.2m"}, {1.23456e-4, "123.5u"},
                           {1e6, "1M"},       {4.7e-9, "4.7n"},   {2345678, "2.346M"},
                           {12344, "12.34K"}, {123456, "123.5K"}, {1.5e-13, "0.15p"}};
  // Plain numbers: decimals fixed by the row, nothing at or below 1e-5.
  const WriteCase num[] = {{47000, "47k"},       {512, "512 "},        {3, "3 "},
                           {-50, "-50 "},        {1e-6, "0"},          {0, "0"},
                           {0.5, "0.5 "},        {1e-5, "0"},          {2e-5, "0.00002 "},
                           {12.3456, "12.346 "}, {123.456, "123.46 "}, {2.5e9, "2.5G"},
                           {4.7e6, "4.7M"},      {1234567, "1.235M"},  {-3.0103, "-3.0103 "},
                           {1e10, "10G"},        {999.999, "1000 "},   {1.00001, "1 "}};
  const WriteCase capComma[] = {{1e-8, "0,01uF"}, {4.71617e-9, "4716,17pF"}};
  const WriteCase engComma[] = {{0.0012, "1,2m"}};
  const WriteCase numComma[] = {{0.5, "0,5 "}, {47500, "47,5k"}};
  // File forms: fixed for 0.001 <= |v| < 1e7, exponent form otherwise, at most 12 characters.
  const WriteCase fixed[] = {
      {0.0012, "0.0012"},   {4700, "4700"},     {1e6, "1000000"},
      {-50, "-50"},         {0, "0"},           {-0.0, "0"},
      {9999999, "9999999"}, {0.001, "0.001"},   {1.0 / 3.0, "0.3333333"},
      {0.1, "0.1"},         {1000.5, "1000.5"}, {-1.234567e-3, "-0.001234567"}};
  const WriteCase exponent[] = {{2.2e-9, "2.2E-09"}, {1e11, "1E+11"},        {1e-5, "1E-05"},
                                {1e7, "1E+07"},      {0.000999, "9.99E-04"}, {-1e11, "-1E+11"},
                                {3.4e38, "3.4E+38"}};
  // Seven significant digits; six for a negative value in exponent form, to fit 12 characters.
  const WriteCase sevenDigits[] = {
      {12345678, "1.234568E+07"}, {1.234568e-4, "1.234568E-04"}, {-1.234568e-4, "-1.23457E-04"}};
  const WriteCase special[] = {
      {1e300, "Inf"}, {-1e300, "-Inf"}, {std::numeric_limits<double>::quiet_NaN(), "NaN"}};
  const WriteCase signedPosition[] = {{1, " 1 "}, {1e11, " 1E+11 "},  {-3, "-3 "},
                                      {0, " 0 "}, {-1e11, "-1E+11 "}, {-0.5, "-0.5 "}};
  const WriteCase pad[] = {
      {1000, "1000          "}, {-3.0103, "-3.0103       "}, {1.234568e-4, "1.234568E-04  "},
      {0.5, ".5            "},  {-0.5, "-.5           "},    {-1.234568e-4, "-1.234568E-04 "},
      {0, "0             "}};
  const std::pair<Writer, std::span<const WriteCase>> tables[] = {{Freq, freq},
                                                                  {Cap, cap},
                                                                  {Cap, designCaps},
                                                                  {Eng, eng},
                                                                  {Num, num},
                                                                  {CapComma, capComma},
                                                                  {EngComma, engComma},
                                                                  {NumComma, numComma},
                                                                  {Plain, fixed},
                                                                  {Plain, exponent},
                                                                  {Plain, sevenDigits},
                                                                  {Plain, special},
                                                                  {Signed, signedPosition},
                                                                  {Pad, pad}};
  for (const auto& [writer, cases] : tables) {
    for (const WriteCase& c : cases)
      EXPECT_EQ(writer(c.value), c.expected) << "value " << c.value;
  }
}

// Every writer's text reads back to the written value within the precision it shows, over
// values spread log-uniformly across its range.
TEST(WriterTest, OutputsReadBackWithinTheirShownPrecision) {
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
      {CapComma, 1e-13, 1e10, 5.1e-5, true},
      {Eng, 1e-12, 1e10, 5.1e-4, true},  // 1 decimal at x = 100, 3 at x = 1
      {Num, 1.0, 1e10, 5.1e-4, true},    // 3 decimals of k, M, G
      // seven significant digits; a negative value in exponent form keeps six to fit 12
      {Plain, 1e-15, 1e10, 6e-7, false},
      {Plain, 1e-3, 9.9e6, 6e-7, true},
      {Plain, 1e-15, 1e10, 5.1e-6, true},
      {Signed, 1e-15, 1e10, 5.1e-6, true},
      {Pad, 1e-15, 1e10, 6e-7, false},  // the tabulated file is not read back: no negatives
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
  for (const float value : {-0.5f, -3.0f, -1234.5f}) {
    EXPECT_NEAR(Read(Freq(value)), value, std::fabs(value) * 1e-6) << Freq(value);
  }
}

// The plain form follows LC_NUMERIC; the signed form, the file forms and the reader do not.
// Each decimal-comma locale that is installed is checked as well as the classic one.
TEST(WriterTest, PlainFormUsesTheLocaleSeparator) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  for (const char* name : {"C", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) == nullptr)
      continue;
    const char separator = name[0] == 'C' ? '.' : ',';
    EXPECT_EQ(LocaleDecimalSeparator(), separator) << name;
    EXPECT_EQ(FormatCap(1e-8f), std::string("0") + separator + "01uF") << name;
    EXPECT_EQ(FormatNum(0.5f), std::string("0") + separator + "5 ") << name;
    EXPECT_EQ(FormatEng(0.0012f), std::string("1") + separator + "2m") << name;
    EXPECT_EQ(FormatFreq(12.5f), " 12.5Hz") << name;
    EXPECT_EQ(PlainNumber(0.0012), "0.0012") << name;
    EXPECT_EQ(PadField(-3.0103), "-3.0103       ") << name;
    EXPECT_NEAR(Read("1.5E-3"), 0.0015f, 1e-10f) << name;
  }
  std::setlocale(LC_NUMERIC, previous.c_str());
}

}  // namespace
}  // namespace kestro
