#pragma once
// Encodes tones into Ogg Vorbis files in memory for the sound tests.

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <string>

// The tone of each channel: a sine of half amplitude, 440 Hz on the first
// channel and 220 Hz more on each further one.
inline float Tone(long frame, int channel, long rate)
{
	const double frequency = 440.0 + 220.0 * channel;
	return static_cast<float>(0.5 * std::sin(2.0 * M_PI * frequency * static_cast<double>(frame) / rate));
}

class cOggEncoder
{
public:
	cOggEncoder(int channels, long rate) : m_channels(channels), m_rate(rate)
	{
		vorbis_info_init(&m_info);
		vorbis_encode_init_vbr(&m_info, channels, rate, 0.6f);
		vorbis_comment_init(&m_comment);
		vorbis_analysis_init(&m_dsp, &m_info);
		vorbis_block_init(&m_dsp, &m_block);
		ogg_stream_init(&m_stream, 1);
		ogg_packet header, comments, codebooks;
		vorbis_analysis_headerout(&m_dsp, &m_comment, &header, &comments, &codebooks);
		ogg_stream_packetin(&m_stream, &header);
		ogg_stream_packetin(&m_stream, &comments);
		ogg_stream_packetin(&m_stream, &codebooks);
		ogg_page page;
		while (ogg_stream_flush(&m_stream, &page))
			Append(page);
	}

	~cOggEncoder()
	{
		ogg_stream_clear(&m_stream);
		vorbis_block_clear(&m_block);
		vorbis_dsp_clear(&m_dsp);
		vorbis_comment_clear(&m_comment);
		vorbis_info_clear(&m_info);
	}

	cOggEncoder(const cOggEncoder&) = delete;
	cOggEncoder& operator=(const cOggEncoder&) = delete;

	// The whole file of frames sample frames of the tone.
	std::string Encode(long frames)
	{
		const long piece = 1024;
		for (long done = 0; done < frames; done += piece)
		{
			long count = std::min(piece, frames - done);
			float** buffer = vorbis_analysis_buffer(&m_dsp, static_cast<int>(count));
			for (int channel = 0; channel < m_channels; ++channel)
				for (long i = 0; i < count; ++i)
					buffer[channel][i] = Tone(done + i, channel, m_rate);
			vorbis_analysis_wrote(&m_dsp, static_cast<int>(count));
			Drain();
		}
		vorbis_analysis_wrote(&m_dsp, 0);
		Drain();
		ogg_page page;
		while (ogg_stream_flush(&m_stream, &page))
			Append(page);
		return m_bytes;
	}

private:
	void Append(const ogg_page& page)
	{
		m_bytes.append(reinterpret_cast<const char*>(page.header), page.header_len);
		m_bytes.append(reinterpret_cast<const char*>(page.body), page.body_len);
	}

	void Drain()
	{
		while (vorbis_analysis_blockout(&m_dsp, &m_block) == 1)
		{
			vorbis_analysis(&m_block, nullptr);
			vorbis_bitrate_addblock(&m_block);
			ogg_packet packet;
			while (vorbis_bitrate_flushpacket(&m_dsp, &packet))
			{
				ogg_stream_packetin(&m_stream, &packet);
				// Small pages, so that a cut file keeps some of its sound.
				ogg_page page;
				while (ogg_stream_flush(&m_stream, &page))
					Append(page);
			}
		}
	}

	int m_channels;
	long m_rate;
	std::string m_bytes;
	vorbis_info m_info;
	vorbis_comment m_comment;
	vorbis_dsp_state m_dsp;
	vorbis_block m_block;
	ogg_stream_state m_stream;
};

inline std::string EncodeTone(int channels, long rate, long frames)
{
	return cOggEncoder(channels, rate).Encode(frames);
}
