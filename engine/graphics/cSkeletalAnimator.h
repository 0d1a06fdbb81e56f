#pragma once
// Animates a model with animation sets. Each instance keeps its own copy of
// the frame hierarchy: the sets on up to eight layers write key-framed
// local matrices into it (a later layer overwrites an earlier one), the
// hierarchy is combined from the roots, each bone's matrix is its offset
// matrix times its frame's combined matrix, and the vertices are skinned
// with their weights on the CPU into the controller's dynamic buffer.

#include "engine/graphics/cAnimator.h"
#include "engine/graphics/cSkeletalAnimationSet.h"

#include <vector>

class cSkeletalAnimator : public cAnimator
{
public:
	static constexpr unsigned kLayerCount = 8;

	// Without a source everything stays empty until Init; with one, a copy
	// of its current pose, sets and influences (see Clone).
	cSkeletalAnimator(cModelControllerBase* controller, const cSkeletalAnimator* source);
	~cSkeletalAnimator() override;

	// Copies the frames, binds bones to frames, makes one set per model set
	// and gathers the weights of every vertex (weights naming a vertex
	// beyond the controller's vertices are skipped).
	void Init(const sSkeleton& skeleton, const std::map<std::string, sAnimationSetDesc>& sets, const sBoneKeys& keys);
	// Depth-first, a frame before its children: the first of the name.
	sModelFrame* FindFrame(const std::string& name);

	bool NeedsDynamicVertexBuffer() const override { return true; }
	bool IsLooping() const override { return true; }
	bool IsPlaying(unsigned layer) const override;
	float GetLength(unsigned layer) const override;
	// The shared identity when the name is no bone's.
	const cMatrix* GetBoneMatrix(const std::string& bone) const override;
	void SetTime(float) override {}
	void Update(float dt) override;
	// Puts the named set on the layer and starts it (a set already running
	// goes on from its time).
	void Play(unsigned layer, const sAnimationRequest& request) override;
	void Resume(unsigned) override {}
	void Stop(unsigned layer) override;
	cAnimator* Clone(cModelControllerBase* controller) const override;

	// The length override of a set name, or null.
	const float* FindSetLength(const std::string& setName) const { return FindLengthOverride(setName); }
	const std::vector<cMatrix>& GetBoneMatrices() const { return m_boneMatrices; }

private:
	struct sVertexInfluence
	{
		float weight;
		const cMatrix* boneMatrix;
	};

	// Points every bone at the combined matrix and flag of the last frame
	// of the copy that drives it.
	void BindBones();
	void BindBones(sModelFrame& frame);
	// Recombines every frame from the roots down.
	void CombineFrames();
	static void UpdateFrame(sModelFrame& frame, const cMatrix& parentCombined, bool force);
	static void ClearChanged(sModelFrame& frame);
	// Writes the skinned positions into the controller's dynamic buffer.
	void Skin();

	const sSkeleton* m_skeleton = nullptr;
	std::vector<sModelFrame> m_frames;
	std::vector<cMatrix> m_boneMatrices;
	std::vector<const cMatrix*> m_boneFrameMatrices;
	std::vector<const bool*> m_boneFrameFlags;
	std::vector<std::vector<sVertexInfluence>> m_influences;
	std::map<std::string, cSkeletalAnimationSet*> m_sets;
	std::vector<cSkeletalAnimationSet*> m_layers;
};
