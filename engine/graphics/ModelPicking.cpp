#include "engine/graphics/ModelPicking.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float kPlaneTolerance = 0.0001f;
constexpr float kEpsilon = 0.00001f;
constexpr float kFarDistance = 100000.0f;

// The line through the ray crossed with the edge from e to f, in the xy
// plane; the crossing must lie within the edge's x and y ranges.
bool RayCrossesEdge(const sRay& ray, const cVector3d& e, const cVector3d& f, float& distance)
{
	const cVector3d& o = ray.origin;
	const cVector3d& d = ray.direction;
	const float den = d.y * (e.x - f.x) + d.x * (f.y - e.y);
	if (std::fabs(den) < kEpsilon)
		return false;
	const float r = (d.x * (o.y - e.y) - d.y * (o.x - e.x)) / den;
	const float x = e.x + r * (f.x - e.x);
	const float y = e.y + r * (f.y - e.y);
	if (x < std::min(e.x, f.x) || x > std::max(e.x, f.x) || y < std::min(e.y, f.y) || y > std::max(e.y, f.y))
		return false;
	distance = cVector3d(x - o.x, y - o.y, -o.z).Length();
	return true;
}
}

bool RayTouchesTriangle(const sRay& ray, const cVector3d& a, const cVector3d& b, const cVector3d& c)
{
	const cVector3d e1 = b - a;
	const cVector3d e2 = c - a;
	cVector3d n;
	e1.Cross(e2, n);
	float d = -n.Dot(a);
	const float length = n.Length();
	if (length >= kPlaneTolerance)
	{
		n *= 1.0f / length;
		d /= length;
	}
	const float den = n.Dot(ray.direction);
	if (std::fabs(den) < kPlaneTolerance)
		return false;
	const float t = -(n.Dot(ray.origin) + d) / den;
	if (t <= 0)
		return false;
	const cVector3d p = ray.origin + ray.direction * t - a;

	// Drop the axis of the normal's largest component.
	const float nx = std::fabs(n.x);
	const float ny = std::fabs(n.y);
	const float nz = std::fabs(n.z);
	float largest = ny <= nx ? nx : ny;
	if (largest < nz)
		largest = nz;
	int u = 0;
	int v = 1;
	if (std::fabs(largest - nx) < kPlaneTolerance)
	{
		u = 1;
		v = 2;
	}
	else if (std::fabs(largest - ny) < kPlaneTolerance)
		v = 2;
	const float* pp = &p.x;
	const float* q1 = &e1.x;
	const float* q2 = &e2.x;

	float alpha;
	float beta;
	if (std::fabs(q1[u]) >= kPlaneTolerance)
	{
		beta = (q1[u] * pp[v] - pp[u] * q1[v]) / (q2[v] * q1[u] - q2[u] * q1[v]);
		if (beta < 0 || beta > 1)
			return false;
		alpha = (pp[u] - beta * q2[u]) / q1[u];
	}
	else
	{
		beta = pp[u] / q2[u];
		if (beta < 0 || beta > 1)
			return false;
		alpha = (pp[v] - beta * q2[v]) / q1[v];
	}
	return alpha >= 0 && alpha + beta <= 1;
}

bool RayMeetsTriangle(const sRay& ray, const cVector3d& a, const cVector3d& b, const cVector3d& c, float& distance)
{
	const cVector3d e1 = b - a;
	const cVector3d e2 = c - a;
	cVector3d p;
	ray.direction.Cross(e2, p);
	const float det = e1.Dot(p);
	if (det > -kEpsilon && det < kEpsilon)
	{
		bool hit = false;
		distance = kFarDistance;
		const cVector3d* edges[3][2] = { { &a, &b }, { &b, &c }, { &a, &c } };
		for (const auto& edge : edges)
		{
			float edgeDistance;
			if (RayCrossesEdge(ray, *edge[0], *edge[1], edgeDistance))
			{
				hit = true;
				distance = std::min(distance, edgeDistance);
			}
		}
		return hit;
	}
	const float inverse = 1.0f / det;
	const cVector3d s = ray.origin - a;
	const float u = inverse * s.Dot(p);
	if (u < 0 || u > 1)
		return false;
	cVector3d q;
	s.Cross(e1, q);
	const float v = inverse * ray.direction.Dot(q);
	if (v < 0 || u + v > 1)
		return false;
	distance = inverse * e2.Dot(q);
	return true;
}
