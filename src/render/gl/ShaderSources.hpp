#pragma once

#include "render/scene/ShaderModifier.hpp"

#include <string>
#include <string_view>

namespace vesk::gl {

// GLSL 3.30 sources of every program the renderer uses. The material programs are
// assembled around the two hook points of a ShaderModifier.
namespace shaders {

enum class MaterialPass { lit, depth };

std::string materialVertex(const scene::ShaderModifier& geometry);
std::string materialFragment(MaterialPass pass, const scene::ShaderModifier& surface);

std::string_view fullscreenVertex();
std::string_view backgroundFragment();
std::string_view particleVertex();
std::string_view particleFragment();
std::string_view ssaoFragment();
std::string_view ssaoBlurFragment();
std::string_view bloomBrightFragment();
std::string_view bloomDownFragment();
std::string_view bloomUpFragment();
std::string_view compositeFragment();

} // namespace shaders
} // namespace vesk::gl
