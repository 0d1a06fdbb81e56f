#pragma once
// Blends per-vertex key frames of the model's morph channels (positions,
// normals, texture coordinates) into its own copy of the vertices and
// writes that into the controller's dynamic vertex buffer. Key k of the
// morph timeline is frame k of every channel. Frames that do not fit the
// vertices or the layout are blended only as far as both reach.

#include "engine/graphics/cAnimator.h"
#include "engine/graphics/ModelData.h"

#include <vector>

class cMorphingAnimator : public cAnimator
{
public:
	cMorphingAnimator(cModelControllerBase* controller, const sMorphData* morph);

	bool NeedsDynamicVertexBuffer() const override { return true; }
	const uint8_t* GetVertexData() const override { return m_vertices.data(); }
	bool IsLooping() const override { return m_loop; }
	void SetTime(float seconds) override;
	void Update(float dt) override;
	// Starts the named range; a looping animation already playing goes on.
	void Play(unsigned layer, const sAnimationRequest& request) override;
	// Also applies at once when the name is the current animation's.
	void SetLoopByName(const std::string& name, bool loop) override;
	void SetLoop(bool loop) override { m_loop = loop; }
	void Resume(unsigned) override { m_playing = true; }
	void Stop(unsigned) override { m_playing = false; }
	cAnimator* Clone(cModelControllerBase* controller) const override;

private:
	// What a channel blends.
	enum eKind
	{
		KIND_XYZ,
		KIND_NONE,
		KIND_UV
	};

	struct sChannelLayout
	{
		unsigned offset = 0;
		eKind kind = KIND_NONE;
	};

	// Positions in one channel's frame list.
	struct sChannelFrames
	{
		size_t start = 0;
		size_t previous = 0;
		size_t next = 0;
	};

	static constexpr size_t kNoKey = size_t(-1);

	// The key time at the current time's fraction of the length.
	float KeyTimeNow() const;
	// A position in a channel's frame list, held at its last frame.
	size_t ClampedFrame(size_t channel, size_t frame) const;
	// Blends the previous and next frames of every channel with factor c
	// and writes the copy into the controller's dynamic buffer.
	void Blend(float c);

	const sMorphData* m_morph;
	float m_startTime = 0.0f;
	float m_endTime = 0.0f;
	bool m_loop = false;
	size_t m_firstKey = kNoKey;
	size_t m_nextKey = kNoKey;
	size_t m_previousKey = kNoKey;
	size_t m_lastKey = kNoKey;
	std::vector<sChannelFrames> m_channelFrames;
	std::vector<sChannelLayout> m_layout;
	std::vector<uint8_t> m_vertices;
};
