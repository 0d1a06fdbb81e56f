#pragma once
// The simple particle effect: camera-facing textured quads spawned in
// bursts at a transform (or on and inside a model), flying along a
// randomised direction, spinning, growing in and shrinking out, changing
// colour over their life and dying. The behaviour comes from a
// description (a "particle" resource) with named programs: the owner
// starts a program, moves the system with its world matrix every frame,
// updates it with the frame time and draws it.

#include "engine/foundation/cMatrix.h"
#include "engine/graphics/cVertexBuffer.h"
#include "engine/graphics/sParticleSystemDesc.h"
#include "engine/graphics/sSystemParticle.h"
#include "engine/resources/cResourceHandle.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class cModelControllerBase;

class cParticleSystem : public NoCopy
{
public:
	// Live particles never exceed what one draw of 16-bit indices reaches.
	static constexpr unsigned kMaxParticles = 16384;

	// The description stays its owner's (the particle resource's); null
	// makes a system that never runs.
	explicit cParticleSystem(const sParticleSystemDesc* description);
	virtual ~cParticleSystem();

	// The world matrix whose translation is the spawn point.
	void SetTransform(const cMatrix& world) { m_transform = world; }
	const cMatrix& GetTransform() const { return m_transform; }
	// Starts the program of the name; a name the description lacks changes nothing.
	void Start(const std::string& program);
	// Turns a looping program into a last run of one full duration.
	void EndLoop();
	void SetLoop(bool loop) { m_loop = loop; }
	// The program duration and the remaining time together.
	void SetDuration(float seconds);
	// Particles spawn on this model (not owned; null: at the transform).
	void SetSourceModel(cModelControllerBase* model) { m_sourceModel = model; }
	// With a source model: on its outline, else at random depths inside it.
	void SetSurfaceOnly(bool surfaceOnly) { m_surfaceOnly = surfaceOnly; }

	// Advances the program, spawns, steps and sorts the particles (by the
	// current camera's axes).
	void Update(float dt);
	// Draws the particles as quads in world space, without depth test.
	void Render();

	bool IsRunning() const { return m_running; }
	bool IsLooping() const { return m_loop; }
	float GetDuration() const { return m_programDuration; }
	float GetRemainingTime() const { return m_remainingTime; }
	// In drawing order.
	const std::vector<std::unique_ptr<sSystemParticle>>& GetParticles() const { return m_particles; }

private:
	bool IsInEmissionWindow() const;
	void Spawn();
	void SpawnAtTransform(int count);
	void SpawnOnModel(int count);
	void InitParticle(sSystemParticle& particle, const cMatrix& spawn, const cVector3d& movement) const;
	// Moves and colours the particle; false when it has died.
	bool StepParticle(sSystemParticle& particle, float dt, const cVector3d axes[3]) const;
	void UpdateColor(sSystemParticle& particle) const;
	float FadeFactor(const sSystemParticle& particle) const;

	std::vector<std::unique_ptr<sSystemParticle>> m_particles;
	cModelControllerBase* m_sourceModel = nullptr;
	float m_remainingTime = 0;
	float m_programTime = 0;
	float m_spawnTimer = 0;
	float m_programDuration = 0;
	std::map<std::string, sParticleProgram> m_programs;
	bool m_running = false;
	bool m_loop = false;
	cResourceHandle m_texture;
	bool m_surfaceOnly = false;
	bool m_previousTransformValid = false;
	const sParticleSystemDesc* m_description;
	cMatrix m_transform;
	cMatrix m_previousTransform;
	cVertexBuffer m_vertexBuffer;
};
