#pragma once
// Builds WAVE files in memory for the sound tests.

#include <cstdint>
#include <string>
#include <vector>

// Little-endian bytes of a number.
inline std::string LittleEndian(uint32_t value, int bytes)
{
	std::string out;
	for (int i = 0; i < bytes; ++i)
		out += static_cast<char>(value >> (8 * i) & 0xFF);
	return out;
}

// A chunk: id, size, payload and the pad byte an odd size takes.
inline std::string Chunk(const std::string& id, const std::string& payload)
{
	std::string out = id + LittleEndian(static_cast<uint32_t>(payload.size()), 4) + payload;
	if (payload.size() % 2)
		out += '\0';
	return out;
}

// A chunk header claiming a size of its own, with the payload that follows.
inline std::string ChunkClaiming(const std::string& id, uint32_t size, const std::string& payload)
{
	return id + LittleEndian(size, 4) + payload;
}

inline std::string FormatRecord(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
	uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
	return LittleEndian(tag, 2) + LittleEndian(channels, 2) + LittleEndian(rate, 4)
		+ LittleEndian(rate * blockAlign, 4) + LittleEndian(blockAlign, 2) + LittleEndian(bits, 2);
}

// "RIFF", the RIFF size, "WAVE" and the chunks.
inline std::string Riff(const std::string& chunks)
{
	return "RIFF" + LittleEndian(static_cast<uint32_t>(chunks.size() + 4), 4) + "WAVE" + chunks;
}

// Sample bytes that differ frame by frame and channel by channel: 8-bit
// samples are unsigned, 16-bit ones signed little-endian.
inline std::string Samples(int frames, int channels, int bits)
{
	std::string out;
	for (int frame = 0; frame < frames; ++frame)
		for (int channel = 0; channel < channels; ++channel)
		{
			int value = frame * 37 + channel * 1000;
			if (bits == 8)
				out += static_cast<char>(value & 0xFF);
			else
				out += LittleEndian(static_cast<uint16_t>(static_cast<int16_t>(value * 11 - 20000)), 2);
		}
	return out;
}

// The plain PCM file: "fmt " then "data".
inline std::string PcmWave(int frames, int channels, int bits, uint32_t rate)
{
	return Riff(Chunk("fmt ", FormatRecord(1, static_cast<uint16_t>(channels), rate, static_cast<uint16_t>(bits)))
		+ Chunk("data", Samples(frames, channels, bits)));
}
