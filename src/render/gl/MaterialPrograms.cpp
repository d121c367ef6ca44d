#include "render/gl/MaterialPrograms.hpp"

#include "render/gl/ShaderSources.hpp"

namespace vesk::gl {

namespace {

std::string keyOf(const scene::ShaderModifier& g, const scene::ShaderModifier& s) {
    std::string key;
    for (const std::string* part : {&g.declarations, &g.body, &s.declarations, &s.body}) {
        key += *part;
        key += '\x1f';
    }
    return key;
}

} // namespace

const MaterialPrograms::Variant* MaterialPrograms::find(const scene::ShaderModifier& g,
                                                        const scene::ShaderModifier& s, std::string* log) {
    const std::string key = keyOf(g, s);
    const auto it = variants_.find(key);
    if (it != variants_.end()) return it->second.get();

    std::string message;
    auto variant = std::make_unique<Variant>();
    variant->lit = GlProgram::build(shaders::materialVertex(g),
                                    shaders::materialFragment(shaders::MaterialPass::lit, s), message);
    if (variant->lit)
        variant->depth = GlProgram::build(
            shaders::materialVertex(g), shaders::materialFragment(shaders::MaterialPass::depth, s), message);
    variant->timePeriodSeconds = g.timePeriodSeconds > 0.0 ? g.timePeriodSeconds : s.timePeriodSeconds;
    if (!variant->lit || !variant->depth) {
        errors_.push_back(message);
        if (log) *log = message;
        variant.reset();
    }
    return (variants_[key] = std::move(variant)).get();
}

const MaterialPrograms::Variant& MaterialPrograms::get(const scene::Material& material) {
    if (const Variant* v = find(material.geometryModifier, material.surfaceModifier, nullptr)) return *v;
    // The plain program has no modifier text of ours to fail on.
    return *find({}, {}, nullptr);
}

bool MaterialPrograms::prepare(const scene::ShaderModifier& g, const scene::ShaderModifier& s,
                               std::string& log) {
    return find(g, s, &log) != nullptr;
}

} // namespace vesk::gl
