#pragma once

#include "render/scene/Image.hpp"
#include "render/scene/Quat.hpp"
#include "render/scene/ShaderModifier.hpp"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace vesk::scene {

// A physically based surface: a metal/roughness base lobe with an optional clear-coat lobe.
// The diffuse colour is the texture × the vertex colour × `multiply`; colours are linear.
class Material {
  public:
    std::shared_ptr<const Image> diffuse; // none: white
    bool diffuseMipmaps = true;           // trilinear filtering of the diffuse texture
    Vec3 multiply{1.0f, 1.0f, 1.0f};
    Vec3 emission{0.0f, 0.0f, 0.0f};
    float metalness = 0.0f;
    float roughness = 0.5f;
    float clearCoat = 0.0f;
    float clearCoatRoughness = 0.0f;
    ShaderModifier geometryModifier;
    ShaderModifier surfaceModifier;

    // Named shader arguments, read by the modifiers as uniforms of the same name. A float
    // argument fills x; a vec3 argument x, y, z. Arguments no modifier declares are ignored.
    void setValue(const std::string& name, float value) { arguments_[name] = {value, 0.0f, 0.0f, 0.0f}; }
    void setValue(const std::string& name, Vec3 value) {
        arguments_[name] = {value.x, value.y, value.z, 0.0f};
    }
    std::optional<float> floatValue(const std::string& name) const;
    const std::map<std::string, Vec4>& arguments() const { return arguments_; }

  private:
    std::map<std::string, Vec4> arguments_;
};

} // namespace vesk::scene
