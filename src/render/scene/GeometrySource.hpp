#pragma once

#include "bonsai/MeshBuffers.hpp"

namespace vesk::scene {

// Vertex streams and triangle indices: the generator's mesh buffers, drawn as they are.
// Streams other than `p` may be empty; a0 and a1 are the two extra channels (texture
// coordinates 1 and 2) of animated cubes.
using GeometrySource = bonsai::MeshBuffers;

// A stream is used only when it has one vector per vertex; a stream of another length is
// dropped rather than read past its end.
bool hasNormals(const GeometrySource& g);
bool hasColors(const GeometrySource& g);
bool hasUV(const GeometrySource& g);
bool hasAnimation(const GeometrySource& g);
// Indices are whole triangles and name existing vertices.
bool indicesValid(const GeometrySource& g);

// A box of the given edges centred on the origin: 24 vertices with per-face normals and
// 0…1 texture coordinates on every face, white.
GeometrySource boxStreams(float width, float height, float length);

} // namespace vesk::scene
