#pragma once

#include <QString>

// The host's voice, kept with the other settings of the game: whether the host reads aloud
// ("Голос ведущего", off until the player turns it on), in which voice, and how fast.
namespace VoiceSettings {

bool isOn();
void storeOn(bool on);

// A voice's name as the speech engine gives it; empty for the engine's own choice.
QString voice();
void storeVoice(const QString &name);

// -100 (slowest) .. 0 (normal) .. 100 (fastest), as the settings window's slider shows it.
int rate();
void storeRate(int rate);

} // namespace VoiceSettings
