#include "engine/graphics/cFakeShaderResource.h"

cResource* cFakeShaderResource::Create(const std::string& name, const sResourceSource& source)
{
	return new cFakeShaderResource(name, source);
}
