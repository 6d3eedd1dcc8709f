// The hint's word on a board with no solution, every text in one place.
#include "play/NoSolution.h"

#include <string>

#include "files/CommandMessages.h"
#include "play/AccessibleNames.h"
#include "solver/Grid.h"

namespace zarvel {

std::optional<MsgBoxRequest> noSolutionMessage(const std::array<Colour, kCells>& colours) {
  const std::optional<solver::OddColour> odd = solver::oddColour(colours);
  if (!odd) return std::nullopt;
  const std::string name = colourName(odd->colour);
  std::string why;
  if (!odd->gamesOwn) {
    // Lines counted from 1, as the arrows name them.
    why = name + " (столбец " + std::to_string(odd->firstCell / kLines + 1) + ", строка " +
          std::to_string(odd->firstCell % kLines + 1) + ") не из семи цветов игры";
  } else {
    why = "клеток цвета «" + name + "» здесь " + std::to_string(odd->squares);
  }
  MsgBoxRequest request;
  request.title = kFileMessageTitle;
  request.text =
      "Это поле игра не решит: нужно семь цветов, по семь клеток каждого, а " + why + ".";
  request.buttons = MsgButtons::Ok;
  request.icon = MsgIcon::Exclamation;
  request.defaultButton = MsgAnswer::Ok;
  return request;
}

}  // namespace zarvel
