#include "engine/scene/cMotionWriter.h"

#include "engine/foundation/cMemoryStream.h"

cMotionWriter& cMotionWriter::AddKeyTime(float time)
{
	m_data.keyTimes.push_back(time);
	return *this;
}

cMotionWriter& cMotionWriter::AddPosition(float x, float y, float z)
{
	m_data.positions.push_back({ x, y, z, 0 });
	return *this;
}

cMotionWriter& cMotionWriter::AddRotation(const cQuaternion& rotation)
{
	m_data.rotations.push_back(rotation);
	return *this;
}

cMotionWriter& cMotionWriter::AddScale(float x, float y, float z)
{
	m_data.scales.push_back({ x, y, z, 0 });
	return *this;
}

cMotionWriter& cMotionWriter::AddColour(const sColor& colour)
{
	m_data.colours.push_back(colour);
	return *this;
}

std::string cMotionWriter::GetBytes() const
{
	cMemoryStream out;
	Write(out);
	return std::string(reinterpret_cast<const char*>(out.GetData()), out.GetSize());
}
