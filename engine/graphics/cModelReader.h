#pragma once
// Reads the sections of a model file into a model. Every count is checked
// against the bytes left before anything is allocated, every read must
// deliver all its bytes, and frames may nest at most kMaxFrameDepth deep.
// The first failure stops the reading and is kept as the reason.

#include "engine/graphics/cModel.h"

class cModelReader
{
public:
	static constexpr int kMaxFrameDepth = 256;

	explicit cModelReader(cStream& stream) : m_stream(stream) {}

	// Fills the model's fields (not its buffers); false on the first failure.
	bool Read(cModel& model);
	// Why reading stopped; empty while nothing failed.
	const std::string& GetError() const { return m_error; }

private:
	bool Fail(const char* what);
	bool Bytes(void* destination, uint64_t size, const char* what);
	bool Count(uint32_t& count, uint64_t smallestElement, const char* what);
	bool String(std::string& value, const char* what);
	bool Matrix(cMatrix& matrix, const char* what);
	// A count followed by that many elements stored as they lie in memory.
	template <class T>
	bool List(std::vector<T>& list, const char* what);
	bool Material(sModelMaterial& material);
	bool Bone(sModelBone& bone);
	bool Frame(sModelFrame& frame, int depth);
	bool AnimationSets(std::map<std::string, sAnimationSetDesc>& sets);
	bool Track(sBoneTrack& track);
	bool Channel(sMorphChannel& channel);
	bool Ranges(std::map<std::string, sAnimationRange>& ranges, const char* what);

	cStream& m_stream;
	std::string m_error;
};
