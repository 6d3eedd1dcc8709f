// What a screen reader says for the things on the board's frame that have no text of their
// own: the arrows, the squares by their colours and the mascot. Both front ends read it.
#pragma once

#include <string>

#include "engine/Geometry.h"
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

}  // namespace zarvel
