// clang-format off
#include <epoxy/gl.h> // first: epoxy refuses to follow other GL headers
// clang-format on

#include "render/gl/GlProgram.hpp"

#include <vector>

namespace vesk::gl {

namespace {

GLuint compile(GLenum stage, std::string_view source, std::string& log) {
    const GLuint shader = glCreateShader(stage);
    const char* text = source.data();
    const GLint length = GLint(source.size());
    glShaderSource(shader, 1, &text, &length);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    GLint size = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &size);
    std::string message(std::size_t(std::max(size, 1)), '\0');
    glGetShaderInfoLog(shader, size, nullptr, message.data());
    log += stage == GL_VERTEX_SHADER ? "vertex: " : "fragment: ";
    log += message.c_str();
    glDeleteShader(shader);
    return 0;
}

} // namespace

GlProgram::GlProgram(unsigned id) : id_(id) {}

GlProgram::~GlProgram() {
    if (id_) glDeleteProgram(id_);
}

std::unique_ptr<GlProgram> GlProgram::build(std::string_view vertex, std::string_view fragment,
                                            std::string& log) {
    const GLuint vs = compile(GL_VERTEX_SHADER, vertex, log);
    const GLuint fs = vs ? compile(GL_FRAGMENT_SHADER, fragment, log) : 0;
    if (!vs || !fs) {
        if (vs) glDeleteShader(vs);
        return nullptr;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDetachShader(program, vs);
    glDetachShader(program, fs);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        GLint size = 0;
        glGetProgramiv(program, GL_INFO_LOG_LENGTH, &size);
        std::string message(std::size_t(std::max(size, 1)), '\0');
        glGetProgramInfoLog(program, size, nullptr, message.data());
        log += "link: ";
        log += message.c_str();
        glDeleteProgram(program);
        return nullptr;
    }

    std::unique_ptr<GlProgram> result(new GlProgram(program));
    GLint count = 0, maxName = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    glGetProgramiv(program, GL_ACTIVE_UNIFORM_MAX_LENGTH, &maxName);
    std::vector<char> name(std::size_t(std::max(maxName, 1)));
    for (GLint i = 0; i < count; ++i) {
        GLint size = 0;
        GLenum type = 0;
        GLsizei written = 0;
        glGetActiveUniform(program, GLuint(i), maxName, &written, &size, &type, name.data());
        std::string key(name.data(), std::size_t(written));
        // Arrays are reported as "name[0]"; they are set by their bare name.
        if (const auto bracket = key.find('['); bracket != std::string::npos) key.resize(bracket);
        result->uniforms_[key] = {glGetUniformLocation(program, name.data()), type};
    }
    return result;
}

void GlProgram::use() const {
    glUseProgram(id_);
}

const GlProgram::Uniform* GlProgram::find(const std::string& name) const {
    const auto it = uniforms_.find(name);
    return it == uniforms_.end() || it->second.location < 0 ? nullptr : &it->second;
}

void GlProgram::set(const std::string& name, int value) const {
    if (const Uniform* u = find(name)) glUniform1i(u->location, value);
}

void GlProgram::set(const std::string& name, float value) const {
    if (const Uniform* u = find(name)) glUniform1f(u->location, value);
}

void GlProgram::set(const std::string& name, scene::Vec2 value) const {
    if (const Uniform* u = find(name)) glUniform2f(u->location, value.x, value.y);
}

void GlProgram::set(const std::string& name, scene::Vec3 value) const {
    if (const Uniform* u = find(name)) glUniform3f(u->location, value.x, value.y, value.z);
}

void GlProgram::set(const std::string& name, const scene::Mat4& value) const {
    if (const Uniform* u = find(name)) glUniformMatrix4fv(u->location, 1, GL_FALSE, value.m.data());
}

void GlProgram::setMat3(const std::string& name, const scene::Mat4& m) const {
    if (const Uniform* u = find(name)) {
        const float v[9] = {m.m[0], m.m[1], m.m[2], m.m[4], m.m[5], m.m[6], m.m[8], m.m[9], m.m[10]};
        glUniformMatrix3fv(u->location, 1, GL_FALSE, v);
    }
}

void GlProgram::setArray(const std::string& name, const scene::Vec3* values, int count) const {
    static_assert(sizeof(scene::Vec3) == 3 * sizeof(float));
    if (const Uniform* u = find(name)) glUniform3fv(u->location, count, &values->x);
}

void GlProgram::setArgument(const std::string& name, scene::Vec4 v) const {
    const Uniform* u = find(name);
    if (!u) return;
    switch (u->type) {
    case GL_FLOAT:
        glUniform1f(u->location, v.x);
        break;
    case GL_FLOAT_VEC2:
        glUniform2f(u->location, v.x, v.y);
        break;
    case GL_FLOAT_VEC3:
        glUniform3f(u->location, v.x, v.y, v.z);
        break;
    case GL_FLOAT_VEC4:
        glUniform4f(u->location, v.x, v.y, v.z, v.w);
        break;
    default:
        break;
    }
}

} // namespace vesk::gl
