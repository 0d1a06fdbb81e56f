#include "engine/graphics/cSkeletalAnimator.h"

#include "engine/graphics/cModelControllerBase.h"
#include "engine/resources/ResourceUtils.h"

#include <algorithm>
#include <cstring>

cSkeletalAnimator::cSkeletalAnimator(cModelControllerBase* controller, const cSkeletalAnimator* source)
	: cAnimator(controller)
{
	if (!source || !source->m_skeleton)
		return;
	m_skeleton = source->m_skeleton;
	m_frames = source->m_frames;
	m_boneMatrices = source->m_boneMatrices;
	for (const auto& [name, set] : source->m_sets)
		m_sets[name] = set->Clone(this);
	m_layers.assign(kLayerCount, nullptr);
	BindBones();
	CombineFrames();
	m_influences = source->m_influences;
	for (std::vector<sVertexInfluence>& influences : m_influences)
		for (sVertexInfluence& influence : influences)
			influence.boneMatrix = &m_boneMatrices[influence.boneMatrix - source->m_boneMatrices.data()];
}

cSkeletalAnimator::~cSkeletalAnimator()
{
	DeleteMapValues(m_sets);
}

void cSkeletalAnimator::Init(const sSkeleton& skeleton, const std::map<std::string, sAnimationSetDesc>& sets,
	const sBoneKeys& keys)
{
	m_skeleton = &skeleton;
	m_frames = skeleton.frames;
	BindBones();
	for (const auto& [name, set] : sets)
		m_sets[name] = new cSkeletalAnimationSet(this, &set, &keys);
	m_layers.assign(kLayerCount, nullptr);
	m_boneMatrices.assign(skeleton.bones.size(), cMatrix::Identity());
	CombineFrames();

	const cVertexBuffer* vertices = m_controller ? m_controller->GetVertexBuffer() : nullptr;
	if (!vertices)
		return;
	m_influences.assign(vertices->GetCount(), {});
	for (std::vector<sVertexInfluence>& influences : m_influences)
		influences.reserve(4);
	for (size_t bone = 0; bone < skeleton.bones.size(); ++bone)
		for (const sBoneWeight& weight : skeleton.bones[bone].weights)
			if (weight.vertex < m_influences.size())
				m_influences[weight.vertex].push_back({ weight.weight, &m_boneMatrices[bone] });
}

sModelFrame* cSkeletalAnimator::FindFrame(const std::string& name)
{
	struct sSearch
	{
		static sModelFrame* In(std::vector<sModelFrame>& frames, const std::string& name)
		{
			for (sModelFrame& frame : frames)
			{
				if (frame.name == name)
					return &frame;
				if (sModelFrame* found = In(frame.children, name))
					return found;
			}
			return nullptr;
		}
	};
	return sSearch::In(m_frames, name);
}

bool cSkeletalAnimator::IsPlaying(unsigned layer) const
{
	return layer < m_layers.size() && m_layers[layer]
		&& m_layers[layer]->GetState() != cSkeletalAnimationSet::STATE_STOPPED;
}

float cSkeletalAnimator::GetLength(unsigned layer) const
{
	return layer < m_layers.size() && m_layers[layer] ? m_layers[layer]->GetLength() : 0.0f;
}

const cMatrix* cSkeletalAnimator::GetBoneMatrix(const std::string& bone) const
{
	if (m_skeleton)
	{
		const std::vector<std::string>& names = m_skeleton->boneNames;
		const size_t position = size_t(std::find(names.begin(), names.end(), bone) - names.begin());
		if (position < m_boneMatrices.size())
			return &m_boneMatrices[position];
	}
	return &cMatrix::Identity();
}

void cSkeletalAnimator::Update(float dt)
{
	if (m_layers.empty())
		return;
	for (sModelFrame& frame : m_frames)
		ClearChanged(frame);
	for (cSkeletalAnimationSet* set : m_layers)
		if (set)
			set->Update(dt);
	m_playing = std::any_of(m_layers.begin(), m_layers.end(), [](cSkeletalAnimationSet* set) { return set; });
	if (!m_playing)
		return;
	for (cSkeletalAnimationSet* set : m_layers)
		if (set)
			set->Apply();
	CombineFrames();
	for (size_t bone = 0; bone < m_boneMatrices.size(); ++bone)
		if (m_boneFrameMatrices[bone] && *m_boneFrameFlags[bone])
			m_boneMatrices[bone] = m_skeleton->bones[bone].offset * *m_boneFrameMatrices[bone];
	Skin();
}

void cSkeletalAnimator::Play(unsigned layer, const sAnimationRequest& request)
{
	if (layer >= m_layers.size())
		return;
	auto found = m_sets.find(request.name);
	if (found == m_sets.end())
		return;
	m_playing = true;
	m_layers[layer] = found->second;
	found->second->Start(request.fadeTime);
}

void cSkeletalAnimator::Stop(unsigned layer)
{
	if (layer < m_layers.size() && m_layers[layer])
		m_layers[layer]->Stop();
}

cAnimator* cSkeletalAnimator::Clone(cModelControllerBase* controller) const
{
	return new cSkeletalAnimator(controller, this);
}

void cSkeletalAnimator::BindBones()
{
	const size_t bones = m_skeleton->bones.size();
	m_boneFrameMatrices.assign(bones, nullptr);
	m_boneFrameFlags.assign(bones, nullptr);
	for (sModelFrame& frame : m_frames)
		BindBones(frame);
}

void cSkeletalAnimator::BindBones(sModelFrame& frame)
{
	if (frame.bone < m_boneFrameMatrices.size())
	{
		m_boneFrameMatrices[frame.bone] = &frame.combined;
		m_boneFrameFlags[frame.bone] = &frame.changed;
	}
	for (sModelFrame& child : frame.children)
		BindBones(child);
}

void cSkeletalAnimator::CombineFrames()
{
	for (sModelFrame& root : m_frames)
	{
		root.combined = root.local * cMatrix::Identity();
		root.changed = true;
		for (sModelFrame& child : root.children)
			UpdateFrame(child, root.combined, true);
	}
}

void cSkeletalAnimator::UpdateFrame(sModelFrame& frame, const cMatrix& parentCombined, bool force)
{
	if (force || frame.changed)
	{
		frame.combined = frame.local * parentCombined;
		frame.changed = true;
		force = true;
	}
	for (sModelFrame& child : frame.children)
		UpdateFrame(child, frame.combined, force);
}

void cSkeletalAnimator::ClearChanged(sModelFrame& frame)
{
	frame.changed = false;
	for (sModelFrame& child : frame.children)
		ClearChanged(child);
}

void cSkeletalAnimator::Skin()
{
	cVertexBuffer* buffer = m_controller ? m_controller->GetDynamicVertexBuffer() : nullptr;
	const cModel* model = m_controller ? m_controller->GetModel() : nullptr;
	if (!buffer || !model)
		return;
	auto* target = static_cast<uint8_t*>(buffer->Lock(0, 0));
	if (!target)
		return;
	const unsigned stride = buffer->GetStride();
	const size_t count = std::min<size_t>({ m_influences.size(), buffer->GetCount(), model->GetVertexCount() });
	for (size_t v = 0; v < count; ++v)
	{
		if (m_influences[v].empty())
			continue;
		cVector3d rest;
		memcpy(&rest, model->vertexBytes.data() + v * stride, sizeof rest);
		cVector3d skinned;
		for (const sVertexInfluence& influence : m_influences[v])
			skinned += TransformPoint(rest, *influence.boneMatrix) * influence.weight;
		memcpy(target + v * stride, &skinned, sizeof skinned);
	}
	buffer->Unlock();
}
