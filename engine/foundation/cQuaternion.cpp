#include "engine/foundation/cQuaternion.h"

cQuaternion& cQuaternion::Slerp(cQuaternion& out, const cQuaternion& other, float t) const
{
	D3DXQuaternionSlerp(&out, this, &other, t);
	return out;
}
