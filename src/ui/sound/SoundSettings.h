#pragma once

// The player's sound settings, kept with the other settings of the game: whether the game
// is heard at all ("Звук", the key M at the table) and how loud, 0..100.
namespace SoundSettings {

inline constexpr int DefaultVolume = 80;

bool isOn();  // true until the player turns the sound off
void storeOn(bool on);

int volume();  // DefaultVolume until the player moves the slider; always 0..100
void storeVolume(int percent);

} // namespace SoundSettings
