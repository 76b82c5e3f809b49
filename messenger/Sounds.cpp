#include "Sounds.h"

#include "ProgramFolder.h"

namespace messenger {

void OpenSound(gui::TMediaPlayer& player, const std::string& setting,
               const std::string& programFolder) {
    if (setting.empty()) return;
    player.SetFileName(SoundFileToOpen(setting, programFolder));
    try {
        player.Open();
    } catch (const std::exception&) {
        // A missing or unplayable file leaves the player silent; the settings still apply.
    }
}

void PlayIfLonger(gui::TMediaPlayer& player, unsigned moreThan) {
    if (!player.IsOpen()) return;
    try {
        if (player.Length() > moreThan) player.Play();
    } catch (const std::exception&) {
        // A sound that fails to start must not stop the logon or a send.
    }
}

}  // namespace messenger
