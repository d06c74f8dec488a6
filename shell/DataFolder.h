// The per-user folder the menu entry starts the game in, where it keeps its ranking.
#pragma once

#include <string>

// Makes $XDG_DATA_HOME/vantrel (by default ~/.local/share/vantrel) and makes
// it the working directory. A relative XDG_DATA_HOME is ignored. When that
// folder cannot be used, a new private folder under $TMPDIR (or /tmp) is used
// instead; the text returned then tells the player so. Empty when all went well.
// On Windows the folder is %LOCALAPPDATA%\Vantrel and the fallback is under
// %TEMP% (DataFolderWin32.cpp).
std::string EnterDataFolder();

// The lines of --help after the first: where the game keeps its ranking and finds its crash sound on this system.
const char* DataFolderUsage();
