// Wave files found and started through PlaySoundW, and the system's alert sound.
#pragma once

#include <string>
#include <string_view>

// The full path of the wave file name: in the working directory when it holds one, else beside the program;
// empty when neither holds a regular file that starts as a wave file does.
std::wstring FindWaveFile(std::string_view name);
// Starts the file without waiting; when Windows refuses it, the alert sound instead.
void PlayWaveFile(const std::wstring& path);
void PlayAlert();
// Opens the audio output once and closes it again, so that the system's audio stack is loaded and connected
// before the first sound needs it; takes tens of milliseconds.
void OpenAudioOutput();
