// The layout-number dialog's rules without a window: characters, the typed number and
// the "OK" rule.
#include <gtest/gtest.h>

#include "files/RaskladRules.h"

namespace zarvel {
namespace {

TEST(RaskladRules, OnlyControlCodesUpToBackspaceAndDigitsPass) {
  struct Case {
    std::uint32_t code;
    bool passes;
    const char* what;
  };
  const Case cases[] = {
      {0, true, "NUL"},
      {1, true, "Ctrl+A"},
      {3, true, "Ctrl+C"},
      {8, true, "backspace"},
      {9, false, "tab"},
      {13, false, "Enter"},
      {22, false, "Ctrl+V"},
      {24, false, "Ctrl+X"},
      {26, false, "Ctrl+Z"},
      {27, false, "Escape"},
      {' ', false, "space"},
      {'-', false, "minus"},
      {'+', false, "plus"},
      {'.', false, "point"},
      {',', false, "comma"},
      {'/', false, "before 0"},
      {'0', true, "0"},
      {'5', true, "5"},
      {'9', true, "9"},
      {':', false, "after 9"},
      {'a', false, "letter"},
      {'Z', false, "capital"},
      {127, false, "DEL"},
      {0x0439, false, "й"},
      {0x0661, false, "Arabic-Indic one"},
  };
  for (const Case& c : cases) EXPECT_EQ(passesCharacterRule(c.code), c.passes) << c.what;
}

TEST(RaskladRules, ClipboardKeysTypeTheirControlCodes) {
  EXPECT_EQ(controlCode('C'), 3U);
  EXPECT_EQ(controlCode('v'), 22U);
  EXPECT_EQ(controlCode('X'), 24U);
  EXPECT_EQ(controlCode('1'), 0U);
  EXPECT_TRUE(passesCharacterRule(controlCode('C')));
  EXPECT_FALSE(passesCharacterRule(controlCode('V')));
  EXPECT_FALSE(passesCharacterRule(controlCode('X')));
}

TEST(RaskladRules, OkIsEnabledExactlyForOneTo32655) {
  struct Case {
    const char* text;
    std::int32_t number;
    bool enabled;
  };
  const Case cases[] = {
      {"", 0, false},         {"0", 0, false},         {"00000", 0, false},     {"1", 1, true},
      {"32655", 32655, true}, {"32656", 32656, false}, {"99999", 99999, false}, {"00042", 42, true},
      {"12a3", 12, true},     {"x12", 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(typedNumber(c.text), c.number) << c.text;
    EXPECT_EQ(okEnabled(typedNumber(c.text)), c.enabled) << c.text;
  }
}

TEST(RaskladRules, AVeryLongNumberStaysOutOfRangeInsteadOfWrappingAround) {
  // 4294967297 would wrap to 1 in 32 bits and enable "OK".
  EXPECT_FALSE(okEnabled(typedNumber("4294967297")));
  EXPECT_FALSE(okEnabled(typedNumber("99999999999999999999")));
}

TEST(RaskladRules, ArrivingTextKeepsOnlyItsDigitsAndFitsTheRoomLeft) {
  EXPECT_EQ(digitsOnly("a1b2-3", 5), "123");
  EXPECT_EQ(digitsOnly("1-2-3-4-5-6", 5), "12345");
  EXPECT_EQ(digitsOnly("98765", 2), "98");
  EXPECT_EQ(digitsOnly("12", 0), "");
  EXPECT_EQ(digitsOnly("№ сорок два", 5), "");
}

}  // namespace
}  // namespace zarvel
