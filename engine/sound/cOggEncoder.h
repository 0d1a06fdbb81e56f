#pragma once
// Encodes float samples into an Ogg Vorbis file in memory: one logical
// stream with a fixed serial number, so the same samples always give the
// same bytes. The demo content's music and the sound tests' files are
// written with it.

#include <string>
#include <vector>

#include <vorbis/vorbisenc.h>

class cOggEncoder
{
public:
	// quality from -0.1 to 1 (libvorbisenc's variable bit rate scale).
	// With pagePerPacket every packet ends its page, so that a file cut
	// anywhere still holds the sound before the cut.
	cOggEncoder(int channels, long rate, float quality, bool pagePerPacket = false);
	~cOggEncoder();
	cOggEncoder(const cOggEncoder&) = delete;
	cOggEncoder& operator=(const cOggEncoder&) = delete;

	// False when libvorbisenc refused the channel count, rate or quality.
	bool IsReady() const { return m_ready; }
	// The whole file; samples holds one vector per channel, all of one
	// length, each sample from -1 to 1. Call once.
	std::string Encode(const std::vector<std::vector<float>>& samples);

private:
	void Append(const ogg_page& page);
	// Turns the analysed blocks into packets and the packets into pages.
	void Drain();

	int m_channels;
	bool m_pagePerPacket;
	bool m_ready = false;
	std::string m_bytes;
	vorbis_info m_info;
	vorbis_comment m_comment;
	vorbis_dsp_state m_dsp;
	vorbis_block m_block;
	ogg_stream_state m_stream;
};
