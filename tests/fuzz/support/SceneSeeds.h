#pragma once
// A scene description with every kind of content, for the seeds of both
// forms: placements, colours, flags, models, motions and clips, animation
// speeds, properties, shader requirements, known and unknown types and
// nesting.

#include "engine/scene/cSceneManager.h"
#include "engine/scene/sObjectDesc.h"

inline sObjectDesc SeedScene()
{
	cSceneManager* manager = Singletone<cSceneManager>::GetInstance();
	sObjectDesc root;
	root.name = "sample";
	sObjectDesc back;
	back.name = "back";
	back.type = manager->GetObjectTypeId("button");
	back.model = "back_tex";
	back.motion = "walk";
	back.local.SetTranslation(cVector3d(1.5f, -2.25f, 300));
	back.colour = sColor(0.2f, 0.4f, 0.6f, 0.8f);
	back.shaderRequirement = kShaderMustBe;
	back.properties = {{"sort", "5"}, {"text_id", "menu\\start"}};
	back.animations = {{"idle", 2.5f}, {"blink", 0.125f}};
	back.motions = {{"appear", 0, 30, 1.5f, "", true}, {"leave", 30, 60, 0.75f, "back", false}};
	sObjectDesc hidden;
	hidden.name = "hidden";
	hidden.type = -1;
	hidden.visible = false;
	hidden.enabled = false;
	hidden.shaderRequirement = kShaderMustNotBe;
	sObjectDesc label;
	label.name = "label";
	label.type = manager->GetObjectTypeId("text");
	label.properties = {{"font", "main"}};
	hidden.children = {label};
	back.children = {hidden};
	root.children = {back, sObjectDesc()};
	return root;
}
