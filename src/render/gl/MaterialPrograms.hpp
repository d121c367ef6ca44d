#pragma once

#include "render/gl/GlProgram.hpp"
#include "render/scene/Material.hpp"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vesk::gl {

// The material programs of one context, one pair (lit, shadow depth) per distinct pair of
// shader modifiers, built on first use.
class MaterialPrograms {
  public:
    struct Variant {
        std::unique_ptr<GlProgram> lit;
        std::unique_ptr<GlProgram> depth;
        double timePeriodSeconds = 0.0;
    };

    // The material's variant; when its modifiers fail to build, the plain variant (and the
    // failure is in errors()), so the scene still draws.
    const Variant& get(const scene::Material& material);
    // Builds (or finds) the variant now; false when it does not build, with the reason.
    bool prepare(const scene::ShaderModifier& geometry, const scene::ShaderModifier& surface,
                 std::string& log);

    const std::vector<std::string>& errors() const { return errors_; }

  private:
    const Variant* find(const scene::ShaderModifier& geometry, const scene::ShaderModifier& surface,
                        std::string* log);

    std::map<std::string, std::unique_ptr<Variant>> variants_; // null: failed to build
    std::vector<std::string> errors_;
};

} // namespace vesk::gl
