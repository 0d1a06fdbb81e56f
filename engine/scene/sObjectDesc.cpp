#include "engine/scene/sObjectDesc.h"

#include <cstring>

bool sObjectDesc::operator==(const sObjectDesc& other) const
{
	return name == other.name && type == other.type && model == other.model && motion == other.motion
		&& std::memcmp(local.m, other.local.m, sizeof(local.m)) == 0 && visible == other.visible
		&& enabled == other.enabled && shaderRequirement == other.shaderRequirement && colour.r == other.colour.r
		&& colour.g == other.colour.g && colour.b == other.colour.b && colour.a == other.colour.a
		&& children == other.children && animations == other.animations && properties == other.properties
		&& motions == other.motions;
}
