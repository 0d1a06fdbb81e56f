#pragma once
// Reads scene descriptions in their binary form (see ObjectDescBinary.h).
// Nothing from the file is trusted: every count and length is checked
// against the bytes left before anything is allocated, every read must
// deliver all its bytes and children nest at most kMaxDepth deep. The
// first failure stops the reading and is kept as the reason. Type names
// that are not registered read as type -1.

#include "engine/foundation/cStream.h"
#include "engine/scene/sObjectDesc.h"

class cObjectDescReader
{
public:
	static constexpr int kMaxDepth = 256;

	explicit cObjectDescReader(cStream& stream) : m_stream(stream) {}

	// False on the first failure; the description is then incomplete.
	bool ReadObjectDesc(sObjectDesc& desc) { return ReadObjectDesc(desc, 1); }
	// Why reading stopped; empty while nothing failed.
	const std::string& GetError() const { return m_error; }

private:
	bool ReadObjectDesc(sObjectDesc& desc, int depth);
	bool ReadObjectDescList(std::vector<sObjectDesc>& list, int depth);
	bool ReadAnimationDescList(std::vector<sAnimationDesc>& list);
	bool ReadPropertyList(std::vector<sObjectDesc::tProperty>& list);
	bool ReadMotionDescList(std::vector<sMotionDesc>& list);
	bool ReadMotionDesc(sMotionDesc& motion);
	bool Fail(const char* what);
	bool Count(uint32_t& count, uint64_t smallestElement, const char* what);
	bool String(std::string& value, const char* what);

	cStream& m_stream;
	std::string m_error;
};
