#pragma once
// A running emitter effect: one cParticleEmitter per description of an
// emitter set, all spawning at the group's position and drawn together as
// camera-facing quads from the group's own dynamic vertex buffer, in one
// draw call through the shared quad index buffer. A group is inactive when
// built; Play starts every emitter from time 0. Without loop the group
// stops itself once every emitter has reached its duration and no particle
// is left; with loop it restarts all emitters once all have reached theirs.

#include "engine/graphics/cVertexBuffer.h"
#include "engine/graphics/sBillboardBasis.h"

#include <string>
#include <vector>

class cFakeShaderResource;
class cParticleEmitter;
class cTextureResource;
struct sEmitterSet;
struct sColor;

class cEmitterGroup : public cVertexBuffer
{
public:
	// Vertex format 322, inactive, time scale 1; builds the emitters of
	// the set (none for null).
	explicit cEmitterGroup(const sEmitterSet* set);
	// Deletes the emitters and gives the texture and shader back.
	~cEmitterGroup() override;

	// Re-initialises the existing emitters on the set's descriptions (their
	// times and particles stay), adds emitters for further descriptions and
	// deletes those left over; the duration becomes the largest one.
	void SetDescription(const sEmitterSet* set);
	// Looks the shader up by name; no shader is ever found, so the group
	// draws without one.
	void SetShader(const std::string& name);

	// Advances every emitter by dt times the time scale, with the current
	// camera's axes for the quads and colour as the upper bound of every
	// particle's colour. Nothing happens while inactive.
	void Update(float dt, const sColor& color);
	// Draws the quads of the last update with the world matrix the caller
	// set; the depth test is off meanwhile.
	void Render();

	// Activates the group with every emitter back at time 0.
	void Play();
	void Stop() { m_active = false; }

	void SetPosition(const cVector3d& position) { m_position = position; }
	const cVector3d& GetPosition() const { return m_position; }
	void SetLoop(bool loop) { m_loop = loop; }
	bool GetLoop() const { return m_loop; }
	void SetTimeScale(float scale) { m_timeScale = scale; }
	float GetTimeScale() const { return m_timeScale; }
	bool IsActive() const { return m_active; }
	// False once the last update found no particle and every emitter done.
	bool IsAlive() const { return m_alive; }
	float GetElapsed() const { return m_elapsed; }
	// The largest emitter duration.
	float GetDuration() const { return m_duration; }
	int GetParticleCount() const { return m_particleCount; }
	const sEmitterSet* GetSet() const { return m_set; }
	const std::vector<cParticleEmitter*>& GetEmitters() const { return m_emitters; }

	// The billboard axes of the current camera: the rows of its transposed
	// view matrix; the identity's without a camera.
	static sBillboardBasis CameraBasis();

private:
	cVector3d m_position;
	std::vector<cParticleEmitter*> m_emitters;
	const sEmitterSet* m_set = nullptr;
	cTextureResource* m_texture = nullptr;
	cFakeShaderResource* m_shader = nullptr;
	bool m_loop = false;
	bool m_active = false;
	bool m_alive = true;
	float m_elapsed = 0.0f;
	float m_duration = 0.0f;
	float m_timeScale = 1.0f;
	int m_particleCount = 0;
};
