#include "engine/sound/cOggEncoder.h"

#include <algorithm>

namespace
{
const int kSerialNumber = 1;
const long kPiece = 1024;
}

cOggEncoder::cOggEncoder(int channels, long rate, float quality, bool pagePerPacket)
	: m_channels(channels), m_pagePerPacket(pagePerPacket)
{
	vorbis_info_init(&m_info);
	vorbis_comment_init(&m_comment);
	ogg_stream_init(&m_stream, kSerialNumber);
	if (vorbis_encode_init_vbr(&m_info, channels, rate, quality) != 0)
		return;
	vorbis_analysis_init(&m_dsp, &m_info);
	vorbis_block_init(&m_dsp, &m_block);
	m_ready = true;
	ogg_packet header, comments, codebooks;
	vorbis_analysis_headerout(&m_dsp, &m_comment, &header, &comments, &codebooks);
	ogg_stream_packetin(&m_stream, &header);
	ogg_stream_packetin(&m_stream, &comments);
	ogg_stream_packetin(&m_stream, &codebooks);
	// The headers end their own pages, so the sound starts on a new one.
	ogg_page page;
	while (ogg_stream_flush(&m_stream, &page))
		Append(page);
}

cOggEncoder::~cOggEncoder()
{
	ogg_stream_clear(&m_stream);
	if (m_ready)
	{
		vorbis_block_clear(&m_block);
		vorbis_dsp_clear(&m_dsp);
	}
	vorbis_comment_clear(&m_comment);
	vorbis_info_clear(&m_info);
}

std::string cOggEncoder::Encode(const std::vector<std::vector<float>>& samples)
{
	if (!m_ready || int(samples.size()) != m_channels)
		return std::string();
	const long frames = long(samples[0].size());
	for (long done = 0; done < frames; done += kPiece)
	{
		const long count = std::min(kPiece, frames - done);
		float** buffer = vorbis_analysis_buffer(&m_dsp, int(count));
		for (int channel = 0; channel < m_channels; ++channel)
			std::copy_n(samples[channel].begin() + done, count, buffer[channel]);
		vorbis_analysis_wrote(&m_dsp, int(count));
		Drain();
	}
	// The end of the stream.
	vorbis_analysis_wrote(&m_dsp, 0);
	Drain();
	ogg_page page;
	while (ogg_stream_flush(&m_stream, &page))
		Append(page);
	return m_bytes;
}

void cOggEncoder::Append(const ogg_page& page)
{
	m_bytes.append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
	m_bytes.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
}

void cOggEncoder::Drain()
{
	while (vorbis_analysis_blockout(&m_dsp, &m_block) == 1)
	{
		vorbis_analysis(&m_block, nullptr);
		vorbis_bitrate_addblock(&m_block);
		ogg_packet packet;
		while (vorbis_bitrate_flushpacket(&m_dsp, &packet))
		{
			ogg_stream_packetin(&m_stream, &packet);
			ogg_page page;
			while (m_pagePerPacket ? ogg_stream_flush(&m_stream, &page) : ogg_stream_pageout(&m_stream, &page))
				Append(page);
		}
	}
}
