#pragma once

#include "bonsai/Math.hpp"

#include <vector>

// Polylines of the tree designer. Negative counts are treated as too little to work with.
namespace vesk::bonsai {

// Uniform Catmull-Rom spline through the points, end points repeated; (count − 1)·samplesPerSeg + 1
// points. Fewer than 3 points are returned unchanged.
std::vector<Vec3> catmullRom(const std::vector<Vec3>& points, int samplesPerSeg);

// Cubic Bezier curve at samples + 1 even parameters, from p0 to p3. With samples ≤ 0 the curve
// is the single point p0.
std::vector<Vec3> bezier(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, int samples);

// Length of the polyline; 0 below 2 points.
float arcLength(const std::vector<Vec3>& points);

// The polyline cut into `segments` pieces of equal arc length (segments + 1 points). Fewer than
// 2 points or fewer than 1 segment are returned unchanged.
std::vector<Vec3> resample(const std::vector<Vec3>& points, int segments);

} // namespace vesk::bonsai
