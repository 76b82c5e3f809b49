// The logon window's sound players as the messenger uses them: opened on a sound setting, and
// played only when they hold a sound. Playing never waits and never reports anything.
#pragma once

#include <string>

#include "MediaPlayer.h"

namespace messenger {

// A non-empty setting opens the player on the file it names (double quotes removed, a relative
// name taken in the program folder), closing what it held first; a file that cannot be opened
// leaves it closed, without a word. An empty setting leaves the player as it is.
void OpenSound(gui::TMediaPlayer& player, const std::string& setting,
               const std::string& programFolder);

// Starts the player's sound when it holds an opened one longer than `moreThan` milliseconds.
void PlayIfLonger(gui::TMediaPlayer& player, unsigned moreThan);

}  // namespace messenger
