#pragma once
#include <cstdint>
#include <string>

// Renders the impulse response of one preset text through the engine (dry signal muted,
// three times the slower band's decay setting long) and measures its decay time. Seconds, or a negative value when the
// text cannot be parsed, the render fails or the response never falls 25 dB.
double MeasurePresetDecay(const std::string& presetText, int presetVersion, uint32_t sampleRate,
                          std::string& error);
