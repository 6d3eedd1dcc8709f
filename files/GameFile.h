// Saved games on disk: the writer that replaces a file whole or not at all, the reader that
// looks at no more than a saved game can hold, and the two operations the file commands
// call. The text itself is SavedGameText's; showing a game is the engine's.
#pragma once

#include <string>

#include "engine/Declare.h"
#include "engine/GameScreen.h"
#include "engine/SavedGame.h"

namespace zarvel {

enum class FileStatus {
  Ok,            // written; or read, checked and shown
  NotFound,      // the folder exists but holds no file of that name
  AccessDenied,  // the file or its folder is write-protected
  InUse,         // another program holds the file: it keeps it locked or open to itself alone
  BadHeader,     // not a game of ours: a wrong or missing header, or values that are
                 // missing, not whole numbers, too large, or colours out of range
  Failed,        // anything else: a missing folder, no regular file, a failed read or write
};

// Writes `text` to the file at `path` (UTF-8). Links are followed by the system's own open,
// under its rules; the file they name is written and a link stays a link. The old file stays
// as it was unless the new text was written completely: it goes to a temporary file beside
// it first (the player's alone until it has the old file's mode), which takes the old one's
// place, and Ok comes only once the folder is synced. Where no new file may be made in the
// folder but the file itself may be read and written, the text goes over the old bytes,
// which are put back on failure; that write never waits for a lock another program holds
// on the file (InUse), and it takes its own lock before it reads the old bytes.
FileStatus writeGameText(const std::string& path, const std::string& text);

// The start of the regular file at `path` (UTF-8): its first 52 lines, read without
// blocking on anything that is not a file and stopping at a line that is already too long
// (BadHeader).
FileStatus readGameText(const std::string& path, std::string& text);

// The game in the file at `path`, read and checked, or why not.
FileStatus readSavedGame(const std::string& path, SavedGame& game);

// "Сохранить": the current game (its counters and the board's colours) to `path`.
FileStatus WriteGameFile(const std::string& path, const Declare& declare, const Picture& board);

// "Открыть": the game at `path` made the current game, only when the whole file is sound;
// anything but Ok leaves the game exactly as it was.
FileStatus ReadGameFile(const std::string& path, Declare& declare, GameScreen& screen);

}  // namespace zarvel
