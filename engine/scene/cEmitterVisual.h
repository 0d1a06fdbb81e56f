#pragma once
// An emitter effect (a group built on an "emitter" resource) that follows
// the owner's position and colour. The animation interface answers to the
// effect's own name only. Particles live in world space, so the group is
// drawn with the identity world matrix. Binds "emitter" and "shader"
// (setters only) in the owner's properties.

#include "engine/foundation/cMatrix.h"
#include "engine/scene/cInertVisual.h"

class cEmitterResource;

class cEmitterVisual : public cInertVisual
{
public:
	explicit cEmitterVisual(cSceneObject* owner);
	~cEmitterVisual() override;

	// The effect's length at its time scale, and its current time.
	float GetAnimationLength() override;
	float GetAnimationTime() override;
	// The effect's name restarts every emitter; other names do nothing.
	void PlayAnimation(const std::string& name) override;
	// The effect's name sets the loop flag.
	void SetAnimationParam(const std::string& name, int value) override;
	void StopAnimation() override;
	bool IsAnimationPlaying() override;
	bool IsNamedAnimationPlaying(const std::string& name) override;
	bool IsCurrentAnimation(const std::string& name) override;
	const std::string& GetAnimationName() override;
	bool IsAnimationLooping() override;
	cEmitterGroup* GetEmitterGroup() override { return m_group; }
	void Draw() override;
	// The first update after construction only arms the next ones.
	void Update(float dt) override;
	// The effect's name scales its time so that it lasts the value in
	// seconds; an effect without length keeps its scale.
	void SetAnimatorParam(const std::string& name, float value) override;

	// Builds a new group on the emitter resource of the name (none when it
	// is missing), with the resource's loop flag and the stored shader.
	void SetEmitter(const std::string& name);
	void SetShader(const std::string& name);

private:
	bool IsGroupName(const std::string& name) const;
	void SetEmitterProperty(std::string* name) { SetEmitter(*name); }
	void SetShaderProperty(std::string* name) { SetShader(*name); }

	cEmitterGroup* m_group = nullptr;
	cEmitterResource* m_resource = nullptr;
	bool m_skipUpdate = true;
	cMatrix m_drawMatrix;
	std::string m_shaderName;
};
