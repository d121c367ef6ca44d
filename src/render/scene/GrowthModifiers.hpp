#pragma once

#include "render/scene/ShaderModifier.hpp"

namespace vesk::scene {

// The bonsai's shader modifiers. Arguments (float uniforms set on the material by name):
// windAmp, treeH, glow, growT, growDir.
//
// windGeometry: the crown sways with the square of its relative height.
// growGeometry: animated cubes (centre and start time in texture channels 1 and 2) grow
//   with an overshoot or shrink away, then sway like the crown.
// glowSurface: a faint self-illumination of the leaves.
// flashSurface: the warm flash of growing cubes.
const ShaderModifier& windGeometry();
const ShaderModifier& growGeometry();
const ShaderModifier& glowSurface();
const ShaderModifier& flashSurface();

} // namespace vesk::scene
