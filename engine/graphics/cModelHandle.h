#pragma once
// The handle through which model controllers hold a model resource and
// its model.

#include "engine/graphics/cModelResource.h"
#include "engine/resources/cModelHandleT.h"

using cModelHandle = cModelHandleT<cModelResource, cModel>;
