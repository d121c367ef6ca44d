#pragma once

#include "render/scene/Mat4.hpp"

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace vesk::gl {

// A linked GL program with its active uniforms looked up once. Made and used with its
// context current; deleted with it.
class GlProgram {
  public:
    // Nothing when a stage fails to compile or the program fails to link; `log` receives the
    // driver's message.
    static std::unique_ptr<GlProgram> build(std::string_view vertex, std::string_view fragment,
                                            std::string& log);
    ~GlProgram();
    GlProgram(const GlProgram&) = delete;
    GlProgram& operator=(const GlProgram&) = delete;

    void use() const;
    unsigned id() const { return id_; }

    bool has(const std::string& name) const { return uniforms_.count(name) != 0; }
    // Setting a uniform the program does not have does nothing.
    void set(const std::string& name, int value) const;
    void set(const std::string& name, float value) const;
    void set(const std::string& name, scene::Vec2 value) const;
    void set(const std::string& name, scene::Vec3 value) const;
    void set(const std::string& name, const scene::Mat4& value) const;
    void setMat3(const std::string& name, const scene::Mat4& upperLeftOf) const;
    void setArray(const std::string& name, const scene::Vec3* values, int count) const;
    // A material argument: written as the uniform's declared type takes it (float, vec2,
    // vec3 or vec4); other types are left alone.
    void setArgument(const std::string& name, scene::Vec4 value) const;

  private:
    struct Uniform {
        int location = -1;
        unsigned type = 0;
    };

    explicit GlProgram(unsigned id);
    const Uniform* find(const std::string& name) const;

    unsigned id_ = 0;
    std::map<std::string, Uniform> uniforms_;
};

} // namespace vesk::gl
