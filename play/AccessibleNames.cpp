// The spoken names of the arrows, the colours and the mascot, every text in one place.
#include "play/AccessibleNames.h"

#include <array>
#include <cstdio>
#include <string>

#include "engine/Declare.h"

namespace zarvel {
namespace {

constexpr std::array<const char*, kBars> kBarNames = {"Стрелки над полем", "Стрелки справа от поля",
                                                      "Стрелки под полем", "Стрелки слева от поля"};

// By bar: the line it moves and the way it moves it.
struct ArrowWords {
  const char* line;
  const char* way;
};
constexpr std::array<ArrowWords, kBars> kArrowWords = {
    {{"Столбец", "вверх"}, {"Строка", "вправо"}, {"Столбец", "вниз"}, {"Строка", "влево"}}};

// In the order of the colour table, red to violet.
constexpr std::array<const char*, kColours> kColourNames = {
    "красный", "оранжевый", "жёлтый", "зелёный", "голубой", "синий", "фиолетовый"};

}  // namespace

std::string barName(std::int32_t bar) {
  return kBarNames.at(static_cast<std::size_t>(bar));
}

std::string arrowName(Arrow arrow) {
  const ArrowWords& words = kArrowWords.at(static_cast<std::size_t>(arrow.bar));
  return std::string(words.line) + " " + std::to_string(arrow.line + 1) + " " + words.way;
}

std::string colourName(Colour colour) {
  for (std::size_t index = 0; index < kCvetaTable.size(); ++index)
    if (kCvetaTable[index] == colour) return kColourNames[index];
  char text[32];
  std::snprintf(text, sizeof text, "цвет #%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
                (colour >> 16) & 0xFF);
  return text;
}

std::string mascotName(bool caged) {
  return caged ? "Гном в клетке" : "Гном на свободе";
}

std::string lineColours(Arrow arrow, const Picture& board) {
  const bool column = arrow.bar == kBarTop || arrow.bar == kBarBottom;
  std::string text;
  for (int along = 0; along < kLines; ++along) {
    const int x = cellOrigin(column ? arrow.line : along);
    const int y = cellOrigin(column ? along : arrow.line);
    text += (along == 0 ? "" : ", ") + colourName(board.point(x, y));
  }
  return text;
}

std::string arrowSaid(Arrow arrow, const Picture& board) {
  return arrowName(arrow) + ": " + lineColours(arrow, board);
}

std::string moveSaid(Arrow arrow, std::int32_t moves) {
  return arrowName(arrow) + ", ход " + std::to_string(moves);
}

std::string undoSaid(Arrow arrow, std::int32_t moves, bool mascotFreed) {
  return "Отменён: " + moveSaid(arrow, moves) + (mascotFreed ? ". " + mascotName(false) : "");
}

std::string redoSaid(Arrow arrow, std::int32_t moves) {
  return "Повторён: " + moveSaid(arrow, moves);
}

std::string layoutSaid(std::int32_t layout, const std::string& fileName) {
  const std::string said = "Расклад № " + std::to_string(layout);
  return fileName.empty() ? said : said + ", файл «" + fileName + "»";
}

std::string victorySaid() {
  return "ПОБЕДА!!! " + mascotName(true);
}

}  // namespace zarvel
