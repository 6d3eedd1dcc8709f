// What a screen reader says for the things on the board's frame that have no text of their
// own: the arrows, the squares by their colours and the mascot. Both front ends read it.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Geometry.h"
#include "engine/Picture.h"
#include "play/ArrowCursor.h"

namespace zarvel {

// «Стрелки над полем», «Стрелки справа от поля»…: a bar as a group of its seven arrows.
std::string barName(std::int32_t bar);

// «Столбец 1 вверх», «Строка 7 влево»…: lines counted from 1, from the left or the top.
std::string arrowName(Arrow arrow);

// «красный» … «фиолетовый» for the seven board colours; a colour from elsewhere (a saved
// game may hold any) by its red, green and blue, «цвет #RRGGBB».
std::string colourName(Colour colour);

// «Гном в клетке» or «Гном на свободе».
std::string mascotName(bool caged);

// What a screen reader says as things happen, so that a player hears the game without
// reading the board square by square.

// «красный, жёлтый, …»: the squares the arrow moves, from the top or from the left.
std::string lineColours(Arrow arrow, const Picture& board);
// «Столбец 3 вверх: красный, жёлтый, …»: an arrow the cursor or the hint reached.
std::string arrowSaid(Arrow arrow, const Picture& board);
// «Столбец 3 вверх, ход 12»: a move made, and the counter after it.
std::string moveSaid(Arrow arrow, std::int32_t moves);
// «Отменён: Столбец 3 вверх, ход 11», with «Гном на свободе» when it freed the mascot.
std::string undoSaid(Arrow arrow, std::int32_t moves, bool mascotFreed);
// «Повторён: Столбец 3 вверх, ход 12».
std::string redoSaid(Arrow arrow, std::int32_t moves);
// «Расклад № 1234», and «, файл «a.zrv»» for a game opened from `fileName`.
std::string layoutSaid(std::int32_t layout, const std::string& fileName);
// «ПОБЕДА!!! Гном в клетке»: the winning move.
std::string victorySaid();

}  // namespace zarvel
