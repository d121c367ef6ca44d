#pragma once

#include <string>

namespace vesk::scene {

// GLSL spliced into a material's shader at one of two hook points.
//
// Geometry hook, in model space before the model matrix:
//     void geometryModifier(inout Geometry _geometry)
//     struct Geometry { vec3 position; vec3 normal; vec2 texcoord1; vec2 texcoord2; };
// Surface hook, after the material is sampled and before lighting:
//     void surfaceModifier(inout Surface _surface)
//     struct Surface { vec4 diffuse; vec4 emission; float roughness; float metalness; };
// Both may read `float u_time`, the scene time in seconds (see timePeriodSeconds).
//
// `declarations` go at file scope (uniforms named after the material's arguments, helper
// functions); `body` is the hook function's body.
struct ShaderModifier {
    std::string declarations;
    std::string body;
    // When the motion repeats exactly with this period, u_time is the scene time modulo it,
    // which keeps single-precision time exact however long the program runs. 0: plain time.
    double timePeriodSeconds = 0.0;

    bool empty() const { return body.empty() && declarations.empty(); }
    friend bool operator==(const ShaderModifier&, const ShaderModifier&) = default;
};

} // namespace vesk::scene
