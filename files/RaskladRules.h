// The rules of the layout-number dialog, apart from its window: which typed characters
// reach the box, the number its text stands for, and when "OK" may be pressed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvel {

inline constexpr int kNomerMaxLength = 5;           // characters in txtNomer
inline constexpr std::int32_t kFirstChoosable = 1;  // layout 0 cannot be chosen here
inline constexpr std::int32_t kLastChoosable = 32655;

// A typed character passes when its code is 8 or less (backspace, and Ctrl+C among the
// clipboard keys) or when it is a digit; anything else never reaches the box.
bool passesCharacterRule(std::uint32_t code);

// The character code of a key typed with Ctrl held down: Ctrl+A is 1 ... Ctrl+Z is 26,
// as the platform's text boxes see them; 0 for keys that have no such code.
std::uint32_t controlCode(char letter);

// The value of the text's leading digits, 0 if it starts with none. Text longer than
// the box allows cannot overflow: the value stops growing past the last layout number.
std::int32_t typedNumber(std::string_view text);

// "OK" is enabled exactly for the choosable layout numbers.
bool okEnabled(std::int32_t typedNumber);

// Text that arrives other than by typing (pasted, dropped): its digits only, at most
// `room` of them, so the box never holds anything the character rule would refuse.
std::string digitsOnly(std::string_view text, std::size_t room);

}  // namespace zarvel
