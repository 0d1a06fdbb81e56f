#pragma once
// Tones encoded into Ogg Vorbis files in memory for the sound tests.

#include "engine/sound/cOggEncoder.h"

#include <cmath>
#include <string>
#include <vector>

// The tone of each channel: a sine of half amplitude, 440 Hz on the first
// channel and 220 Hz more on each further one.
inline float Tone(long frame, int channel, long rate)
{
	const double frequency = 440.0 + 220.0 * channel;
	return static_cast<float>(0.5 * std::sin(2.0 * M_PI * frequency * static_cast<double>(frame) / rate));
}

// frames sample frames of the tone on each channel, as an Ogg Vorbis file
// with a page per packet.
inline std::string EncodeTone(int channels, long rate, long frames)
{
	std::vector<std::vector<float>> samples(channels, std::vector<float>(frames));
	for (int channel = 0; channel < channels; ++channel)
		for (long frame = 0; frame < frames; ++frame)
			samples[channel][frame] = Tone(frame, channel, rate);
	return cOggEncoder(channels, rate, 0.6f, true).Encode(samples);
}
