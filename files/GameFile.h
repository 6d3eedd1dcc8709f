// The saved-game file: the header "[zarvel]", the layout number, the move counter and the
// 49 cell colours column by column, one value a line, each line ending in CR LF.
#pragma once

#include <string>

#include "engine/Declare.h"
#include "engine/GameScreen.h"

namespace zarvel {

enum class FileStatus {
  Ok,            // written; or read, checked and shown
  NotFound,      // the folder exists but holds no file of that name
  AccessDenied,  // the file or its folder is write-protected
  BadHeader,     // not a game of ours: a wrong or missing header, or values that are
                 // missing, not whole numbers, too large, or colours out of range
  Failed,        // anything else: a missing folder, a failure while reading or writing
};

inline constexpr int kGameFileLines = 3 + kLines * kLines;  // 52
inline constexpr Colour kLargestColour = 0xFFFFFF;

// The file's text for the current game: NmRasklada, NmHod and the colours that picPole
// shows at the cell origins.
std::string gameFileText(const Declare& declare, const Picture& board);

// Writes the current game to `path` (UTF-8). The old file stays as it was unless the new
// one was written completely: the text goes to a temporary file beside it first.
FileStatus WriteGameFile(const std::string& path, const Declare& declare, GameScreen& screen);

// Reads the game at `path` (UTF-8) and, only when the whole file is sound, makes it the
// current game: counters, labels, a free mascot and the 49 squares. Anything but Ok
// leaves the game exactly as it was.
FileStatus ReadGameFile(const std::string& path, Declare& declare, GameScreen& screen);

}  // namespace zarvel
