#include "engine/graphics/cAnimator.h"

bool cAnimator::IsPlaying(unsigned) const
{
	return false;
}

float cAnimator::GetLength(unsigned) const
{
	return 0.0f;
}

const cMatrix* cAnimator::GetBoneMatrix(const std::string&) const
{
	return &cMatrix::Identity();
}

void cAnimator::SetLoopByName(const std::string& name, bool loop)
{
	m_loopOverrides[name] = loop;
}

void cAnimator::SetLoop(bool)
{
}

void cAnimator::SetLengthByName(const std::string& name, float seconds)
{
	m_lengthOverrides[name] = seconds;
}

const std::string& cAnimator::GetAnimationName(unsigned) const
{
	return m_name;
}

const float* cAnimator::FindLengthOverride(const std::string& name) const
{
	auto found = m_lengthOverrides.find(name);
	return found == m_lengthOverrides.end() ? nullptr : &found->second;
}

const bool* cAnimator::FindLoopOverride(const std::string& name) const
{
	auto found = m_loopOverrides.find(name);
	return found == m_loopOverrides.end() ? nullptr : &found->second;
}
