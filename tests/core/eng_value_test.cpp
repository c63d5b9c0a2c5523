#include "core/eng_value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace kestro {
namespace {

float Read(std::string_view text) {
  float value = -12345.0f;
  ReadEngValue(text, value);
  return value;
}

int16_t ReadInt(std::string_view text) {
  int16_t value = -123;
  ReadEngValue(text, value);
  return value;
}

// ---------------------------------------------------------------------------------------------
// Reader
// ---------------------------------------------------------------------------------------------

struct ReadCase {
  const char* text;
  double expected;
};

// Relative tolerance of a single-precision product: a few units in the last place.
void ExpectReads(const ReadCase& c) {
  const float got = Read(c.text);
  const double tolerance = std::fabs(c.expected) * 4e-7;
  EXPECT_NEAR(got, c.expected, tolerance) << "text \"" << c.text << "\"";
}

TEST(ReadEngValueTest, PrefixLettersScaleTheLeadingNumber) {
  const ReadCase cases[] = {
      {"4.7k", 4700},     {"10M", 1e7},   {"10m", 0.01}, {"2,2n", 2.2e-9}, {"1.5E-3", 0.0015},
      {"1p", 1e-12},      {"3P", 3e-12},  {"3N", 3e-9},  {"7u", 7e-6},     {"7U", 7e-6},
      {"2K", 2000},       {"2g", 2e9},    {"2G", 2e9},   {"47k", 47000},   {"0.01uF", 1e-8},
      {"4700pF", 4.7e-9}, {"1ms", 0.001}, {"1Ms", 1e6},  {"100Hz", 100},   {"1.2m", 0.0012},
  };
  for (const ReadCase& c : cases)
    ExpectReads(c);
}

TEST(ReadEngValueTest, EverythingAfterThePrefixOrExponentRulesIsDropped) {
  const ReadCase cases[] = {
      {"4k7", 4000},                       // digits after the prefix are dropped
      {"1G5", 1e9},      {"1e3k", 1000},   // no prefix after an exponent
      {"3E5M", 3e5},     {"1.2.3", 1.23},  // second point ignored, digits run on
      {"5-", 5},         {"--5", -5},        {"-5", -5}, {"+5", 5},  {"2e+3", 2000},
      {"2e-3", 0.002},   {"1,5E-3", 0.0015}, {"k5", 5},  {"e5", 5},  {"5 k", 5000},
      {" 3K ", 3000},    {" 100mH", 0.1},    {"1E", 1},  {"1E+", 1}, {".5", 0.5},
      {"-.5m", -0.0005}, {"x1y2", 12},
  };
  for (const ReadCase& c : cases)
    ExpectReads(c);
}

TEST(ReadEngValueTest, TextWithoutANumberReadsAsZero) {
  for (const char* text : {"", "   ", "abc", "+", "-", ".", ",", "E", "kHz", "-E5"}) {
    EXPECT_EQ(Read(text), 0.0f) << "text \"" << text << "\"";
  }
}

TEST(ReadEngValueTest, OnlyTheFirstTwelveCharactersAfterTrimmingCount) {
  const ReadCase cases[] = {
      {"00000000001k", 1000},        // 12 characters: the prefix is read
      {"000000000001k", 1},          // 13 characters: the prefix is cut off
      {"   00000000001k   ", 1000},  // blanks around do not count
      {"1.5         k", 1.5},       {"0.0000000001k", 1e-10},
  };
  for (const ReadCase& c : cases)
    ExpectReads(c);
}

TEST(ReadEngValueTest, LargeAndOverflowingValuesAreClamped) {
  const ReadCase cases[] = {
      {"99999999999", 1e10},
      {"-99999999999", -1e10},
      {"1e10", 1e10},
      {"2e10", 1e10},
      {"-2e10", -1e10},
      {"1e3e4", 1e10},
      {"1.5e3.7", 1e10},
      {"9E99", 1e10},
      {"1E400", 1e10},
      {"3e38k", 1e10},
      {"-3e38k", -1e10},
      // An overflow in the conversion is an error, which always gives +1e10.
      {"-9E99", 1e10},
      {"-1E400", 1e10},
      {"1E-99", 0},
      {"1E-400", 0},
  };
  for (const ReadCase& c : cases)
    ExpectReads(c);
}

TEST(ReadEngValueTest, IntegerTargetRoundsHalfToEvenAndSaturates) {
  struct Case {
    const char* text;
    int16_t expected;
  };
  const Case cases[] = {{"512", 512},     {"2.5", 2},         {"3.5", 4},
                        {"-2.5", -2},     {"12.7", 13},       {"2k", 2000},
                        {"40000", 32767}, {"-40000", -32768}, {"99999999999", 32767},
                        {"9E99", 32767},  {"abc", 0},         {"0.4", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(ReadInt(c.text), c.expected) << "text \"" << c.text << "\"";
  }
}

// ---------------------------------------------------------------------------------------------
// Writers
// ---------------------------------------------------------------------------------------------

struct WriteCase {
  float value;
  const char* expected;
};

void ExpectWrites(const std::function<std::string(float)>& writer, const WriteCase& c) {
  EXPECT_EQ(writer(c.value), c.expected) << "value " << c.value;
}

TEST(FormatFreqTest, SignedFormWithPrefixAndUnit) {
  const WriteCase cases[] = {
      {3000, " 3K "},
      {1000, " 1K "},
      {0.1f, " 100mH"},
      {1e7f, " 10M "},
      {12.5f, " 12.5Hz"},
      {0, "0.0 "},
      {999.999f, " 1000Hz"},
      {1e9f, " 1G "},
      {2.5e9f, " 2.5G "},
      {5e8f, " 500M "},
      {0.0005f, " .5mH"},
      {-0.5f, "-500mH"},
      {1234.5678f, " 1.2346K "},
      {56.78912f, " 56.789Hz"},
      {1, " 1Hz"},
      {0.001f, " 1mH"},
      {1e10f, " 10G "},
  };
  for (const WriteCase& c : cases)
    ExpectWrites([](float v) { return FormatFreq(v); }, c);
}

TEST(FormatCapTest, PicofaradsBelowTenNanofaradsMicrofaradsFromThere) {
  const WriteCase cases[] = {
      {1e-8f, "0.01uF"},
      {4.7e-9f, "4700pF"},
      {2.2e-7f, "0.22uF"},
      {1e-15f, ""},
      {9.99e-9f, "9990pF"},
      {0, ""},
      {1e-13f, "0.1pF"},
      {1.5f, "1.5F"},
      {0.047f, "47mF"},
      {100, "0.1KF"},
      {1e5f, "0.1MF"},
      {2e7f, "0.02GF"},
      {-4.7e-9f, "-4700pF"},
      {4.716172e-9f, "4716.17pF"},
      {1.2009e-8f, "0.012009uF"},
      {6.86e-10f, "686pF"},
      {1e-14f, "0.01pF"},
      {3.3e-6f, "3.3uF"},
  };
  for (const WriteCase& c : cases)
    ExpectWrites([](float v) { return FormatCap(v, '.'); }, c);
}

TEST(FormatEngTest, PrefixLetterWithoutUnit) {
  const WriteCase cases[] = {
      {0.0012f, "1.2m"},       {0, "0  "},         {3.5f, "3.5  "},     {1234, "1.234K"},
      {1e-10f, "100p"},        {2.5e-5f, "25u"},   {5e9f, "5G"},        {-0.0012f, "-1.2m"},
      {1.23456e-4f, "123.5u"}, {1e6f, "1M"},       {4.7e-9f, "4.7n"},   {2345678, "2.346M"},
      {12344, "12.34K"},       {123456, "123.5K"}, {1.5e-13f, "0.15p"},
  };
  for (const WriteCase& c : cases)
    ExpectWrites([](float v) { return FormatEng(v, '.'); }, c);
}

TEST(FormatNumTest, PlainNumbersWithLargePrefixes) {
  const WriteCase cases[] = {
      {47000, "47k"},        {512, "512 "},         {3, "3 "},
      {-50, "-50 "},         {1e-6f, "0"},          {0, "0"},
      {0.5f, "0.5 "},        {1e-5f, "0"},          {2e-5f, "0.00002 "},
      {12.3456f, "12.346 "}, {123.456f, "123.46 "}, {2.5e9f, "2.5G"},
      {4.7e6f, "4.7M"},      {1234567, "1.235M"},   {-3.0103f, "-3.0103 "},
      {1e10f, "10G"},        {999.999f, "1000 "},   {1.00001f, "1 "},
  };
  for (const WriteCase& c : cases)
    ExpectWrites([](float v) { return FormatNum(v, '.'); }, c);
}

TEST(PlainFormTest, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(FormatCap(1e-8f, ','), "0,01uF");
  EXPECT_EQ(FormatCap(4.71617e-9f, ','), "4716,17pF");
  EXPECT_EQ(FormatEng(0.0012f, ','), "1,2m");
  EXPECT_EQ(FormatNum(0.5f, ','), "0,5 ");
  EXPECT_EQ(FormatNum(47500, ','), "47,5k");
}

// ---------------------------------------------------------------------------------------------
// File number forms
// ---------------------------------------------------------------------------------------------

struct FileCase {
  double value;
  const char* expected;
};

TEST(PlainNumberTest, FixedInTheMiddleExponentFormForTinyAndHugeMagnitudes) {
  const FileCase cases[] = {
      {0.0012, "0.0012"},
      {4700, "4700"},
      {1e6, "1000000"},
      {2.2e-9, "2.2E-09"},
      {4.7e-9, "4.7E-09"},
      {1e11, "1E+11"},
      {1e-5, "1E-05"},
      {512, "512"},
      {3, "3"},
      {-50, "-50"},
      {0, "0"},
      {-0.0, "0"},
      {1e7, "1E+07"},
      {9999999, "9999999"},
      {0.001, "0.001"},
      {0.000999, "9.99E-04"},
      {1.0 / 3.0, "0.3333333"},
      {12345678, "1.234568E+07"},
      {-1e11, "-1E+11"},
      {3.4e38, "3.4E+38"},
      {-1.234568e-4, "-1.23457E-04"},
      {1.234568e-4, "1.234568E-04"},
      {-1.234567e-3, "-0.001234567"},
      {1e300, "Inf"},
      {-1e300, "-Inf"},
      {std::numeric_limits<double>::quiet_NaN(), "NaN"},
      {0.1, "0.1"},
      {1000.5, "1000.5"},
  };
  for (const FileCase& c : cases) {
    EXPECT_EQ(PlainNumber(c.value), c.expected) << "value " << c.value;
  }
}

TEST(SignedPositionNumberTest, SignPositionDigitsAndOneTrailingBlank) {
  const FileCase cases[] = {{1, " 1 "},         {1e11, " 1E+11 "}, {-3, "-3 "},    {0, " 0 "},
                            {-1e11, "-1E+11 "}, {1000, " 1000 "},  {-0.5, "-0.5 "}};
  for (const FileCase& c : cases) {
    EXPECT_EQ(SignedPositionNumber(c.value), c.expected) << "value " << c.value;
  }
}

TEST(PadFieldTest, ShortestFormLeftAlignedInFourteenCharacters) {
  const FileCase cases[] = {
      {1000, "1000          "}, {-3.0103, "-3.0103       "}, {1.234568e-4, "1.234568E-04  "},
      {0.5, ".5            "},  {-0.5, "-.5           "},    {-1.234568e-4, "-1.234568E-04 "},
      {0, "0             "},
  };
  for (const FileCase& c : cases) {
    EXPECT_EQ(PadField(c.value), c.expected) << "value " << c.value;
  }
}

// ---------------------------------------------------------------------------------------------
// Read-back: every writer's text reads back to the displayed value
// ---------------------------------------------------------------------------------------------

TEST(ReadBackTest, DocumentedTextsReadBack) {
  const ReadCase cases[] = {{" 3K ", 3000},  {"0.01uF", 1e-8}, {"47k", 47000},
                            {" 100mH", 0.1}, {"1.2m", 0.0012}, {"0,01uF", 1e-8}};
  for (const ReadCase& c : cases)
    ExpectReads(c);
}

struct WriterRange {
  const char* name;
  std::function<std::string(float)> writer;
  double low;  // magnitudes swept from low to high
  double high;
  double tolerance;  // relative: half a unit in the last shown decimal at the smallest x
  bool negatives;    // negative values are swept too
};

// Values spread log-uniformly over [low, high], both signs.
std::vector<float> Sweep(double low, double high, bool negatives) {
  std::vector<float> values;
  constexpr int kSteps = 400;
  for (int i = 0; i <= kSteps; ++i) {
    const double v = low * std::pow(high / low, static_cast<double>(i) / kSteps);
    values.push_back(static_cast<float>(v));
    if (negatives)
      values.push_back(static_cast<float>(-v));
  }
  return values;
}

TEST(ReadBackTest, WriterOutputsReadBackWithinTheirShownPrecision) {
  const WriterRange ranges[] = {
      // FormatFreq keeps 4 decimals at x = 1, 2 decimals at x = 100: at most 5e-5 relative.
      // Negative frequencies all fall in the millihertz row, which overflows 12 characters.
      {"FormatFreq", [](float v) { return FormatFreq(v); }, 1e-3, 1e10, 5.1e-5, false},
      {"FormatCap", [](float v) { return FormatCap(v, '.'); }, 1e-13, 1e10, 5.1e-5, true},
      {"FormatCap comma", [](float v) { return FormatCap(v, ','); }, 1e-13, 1e10, 5.1e-5, true},
      // FormatEng keeps 1 decimal at x = 100 and 3 decimals at x = 1: at most 5e-4.
      {"FormatEng", [](float v) { return FormatEng(v, '.'); }, 1e-12, 1e10, 5.1e-4, true},
      // FormatNum keeps 3 decimals of k, M, G: at most 5e-4 at x = 1.
      {"FormatNum", [](float v) { return FormatNum(v, '.'); }, 1.0, 1e10, 5.1e-4, true},
      // The file forms keep seven significant digits; a negative value in exponent form keeps
      // six, so that it fits the 12 characters the reader takes.
      {"PlainNumber", [](float v) { return PlainNumber(v); }, 1e-15, 1e10, 6e-7, false},
      {"PlainNumber fixed", [](float v) { return PlainNumber(v); }, 1e-3, 9.9e6, 6e-7, true},
      {"PlainNumber negative", [](float v) { return PlainNumber(v); }, 1e-15, 1e10, 5.1e-6, true},
      {"SignedPositionNumber", [](float v) { return SignedPositionNumber(v); }, 1e-15, 1e10, 5.1e-6,
       true},
      // The tabulated file is not read back: a negative value there keeps all seven digits.
      {"PadField", [](float v) { return PadField(v); }, 1e-15, 1e10, 6e-7, false},
  };
  for (const WriterRange& range : ranges) {
    for (const float value : Sweep(range.low, range.high, range.negatives)) {
      const std::string text = range.writer(value);
      const float back = Read(text);
      EXPECT_NEAR(back, value, std::fabs(value) * range.tolerance)
          << range.name << " wrote \"" << text << "\" for " << value;
    }
  }
}

TEST(ReadBackTest, NegativeFrequenciesReadBackAsMillihertz) {
  for (const float value : {-0.5f, -3.0f, -1234.5f}) {
    EXPECT_NEAR(Read(FormatFreq(value)), value, std::fabs(value) * 1e-6) << FormatFreq(value);
  }
}

// ---------------------------------------------------------------------------------------------
// Locale
// ---------------------------------------------------------------------------------------------

// Switches LC_NUMERIC for one test and restores it.
class NumericLocale {
 public:
  explicit NumericLocale(const char* name) : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
    active_ = std::setlocale(LC_NUMERIC, name) != nullptr;
  }
  ~NumericLocale() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
  NumericLocale(const NumericLocale&) = delete;
  NumericLocale& operator=(const NumericLocale&) = delete;
  bool active() const { return active_; }

 private:
  std::string previous_;
  bool active_ = false;
};

TEST(LocaleTest, ClassicLocaleWritesAPoint) {
  const NumericLocale locale("C");
  ASSERT_TRUE(locale.active());
  EXPECT_EQ(LocaleDecimalSeparator(), '.');
  EXPECT_EQ(FormatCap(1e-8f), "0.01uF");
  EXPECT_EQ(FormatNum(0.5f), "0.5 ");
  EXPECT_EQ(FormatEng(0.0012f), "1.2m");
}

TEST(LocaleTest, DecimalCommaLocaleChangesOnlyThePlainForm) {
  bool found = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8", "de_DE"}) {
    const NumericLocale locale(name);
    if (!locale.active())
      continue;
    found = true;
    EXPECT_EQ(LocaleDecimalSeparator(), ',');
    EXPECT_EQ(FormatCap(1e-8f), "0,01uF");
    EXPECT_EQ(FormatNum(0.5f), "0,5 ");
    EXPECT_EQ(FormatFreq(12.5f), " 12.5Hz");
    EXPECT_EQ(PlainNumber(0.0012), "0.0012");
    EXPECT_EQ(PadField(-3.0103), "-3.0103       ");
    EXPECT_NEAR(Read("0,01uF"), 1e-8f, 1e-15f);
    EXPECT_NEAR(Read("1.5E-3"), 0.0015f, 1e-10f);
    break;
  }
  if (!found)
    GTEST_SKIP() << "no decimal-comma locale installed";
}

}  // namespace
}  // namespace kestro
