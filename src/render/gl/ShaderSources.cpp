#include "render/gl/ShaderSources.hpp"

namespace vesk::gl::shaders {

namespace {

constexpr std::string_view kVersion = "#version 330 core\n";

constexpr std::string_view kVertexHead = R"(
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec3 a_normal;
layout(location = 2) in vec4 a_color;
layout(location = 3) in vec2 a_uv;
layout(location = 4) in vec2 a_uv1;
layout(location = 5) in vec2 a_uv2;

uniform mat4 u_model;
uniform mat4 u_viewProj;
uniform mat3 u_normalMatrix;
uniform float u_time;

out vec3 v_worldPos;
out vec3 v_normal;
out vec4 v_color;
out vec2 v_uv;

struct Geometry {
    vec3 position;
    vec3 normal;
    vec2 texcoord1;
    vec2 texcoord2;
};
)";

constexpr std::string_view kVertexMain = R"(
void main() {
    Geometry g;
    g.position = a_position;
    g.normal = a_normal;
    g.texcoord1 = a_uv1;
    g.texcoord2 = a_uv2;
    geometryModifier(g);
    vec4 world = u_model * vec4(g.position, 1.0);
    v_worldPos = world.xyz;
    v_normal = u_normalMatrix * g.normal;
    v_color = a_color;
    v_uv = a_uv;
    gl_Position = u_viewProj * world;
}
)";

constexpr std::string_view kFragmentHead = R"(
in vec3 v_worldPos;
in vec3 v_normal;
in vec4 v_color;
in vec2 v_uv;

uniform float u_time;

struct Surface {
    vec4 diffuse;
    vec4 emission;
    float roughness;
    float metalness;
};
)";

constexpr std::string_view kDepthMain = R"(
void main() {}
)";

// Lighting: a metal/roughness GGX lobe, an optional clear-coat GGX lobe, three directional
// lights (the first shadowed ones through a PCF shadow map) and image-based light from an
// equirectangular panorama: spherical harmonics for the diffuse part, its mip chain for the
// specular part with an analytic split-sum term.
constexpr std::string_view kLitMain = R"(
uniform sampler2D u_diffuseMap;
uniform vec3 u_multiply;
uniform vec3 u_emission;
uniform float u_metalness;
uniform float u_roughness;
uniform float u_clearCoat;
uniform float u_clearCoatRoughness;
uniform float u_opacity;
uniform vec3 u_cameraPos;
uniform mat4 u_view;

const int MAX_LIGHTS = 4;
uniform int u_lightCount;
uniform vec3 u_lightDir[MAX_LIGHTS];
uniform vec3 u_lightColor[MAX_LIGHTS];

uniform int u_shadowLight;
uniform sampler2DShadow u_shadowMap;
uniform mat4 u_shadowMatrix;
uniform float u_shadowAlpha;
uniform float u_shadowRadius;
uniform int u_shadowSamples;
uniform float u_shadowBias;

uniform int u_hasEnv;
uniform sampler2D u_envMap;
uniform float u_envMaxLod;
uniform float u_envIntensity;
uniform vec3 u_sh[9];

layout(location = 0) out vec4 o_color;
layout(location = 1) out vec4 o_normal;

const float PI = 3.14159265;

float ggx(float NdotH, float a) {
    float a2 = a * a;
    float d = NdotH * NdotH * (a2 - 1.0) + 1.0;
    return a2 / (PI * d * d);
}

// Schlick-Smith visibility with its k given: α/2 matches Smith for image light; direct lights
// take k = (roughness + 1)²/8, which keeps grazing highlights of rough faces from running hot.
float smithVisibility(float NdotV, float NdotL, float k) {
    float gv = NdotV / (NdotV * (1.0 - k) + k);
    float gl = NdotL / (NdotL * (1.0 - k) + k);
    return gv * gl / max(4.0 * NdotV * NdotL, 1e-4);
}

// pow of a negative base is undefined in GLSL: rounding can put a cosine just above 1.
float schlick(float cosTheta) { return pow(clamp(1.0 - cosTheta, 0.0, 1.0), 5.0); }

vec3 fresnel(vec3 f0, float cosTheta) { return f0 + (1.0 - f0) * schlick(cosTheta); }

// Karis' analytic fit of the split-sum environment BRDF.
vec2 envBrdf(float NdotV, float roughness) {
    const vec4 c0 = vec4(-1.0, -0.0275, -0.572, 0.022);
    const vec4 c1 = vec4(1.0, 0.0425, 1.04, -0.04);
    vec4 r = roughness * c0 + c1;
    float a004 = min(r.x * r.x, exp2(-9.28 * NdotV)) * r.x + r.y;
    return vec2(-1.04, 1.04) * a004 + r.zw;
}

vec3 shIrradiance(vec3 n) {
    return u_sh[0]
        + u_sh[1] * n.y + u_sh[2] * n.z + u_sh[3] * n.x
        + u_sh[4] * (n.x * n.y) + u_sh[5] * (n.y * n.z) + u_sh[6] * (3.0 * n.z * n.z - 1.0)
        + u_sh[7] * (n.x * n.z) + u_sh[8] * (n.x * n.x - n.y * n.y);
}

// The panorama's rows run from straight up (top) to straight down, its columns from
// azimuth −π to π, with azimuth 0 looking along −Z.
vec3 envSample(vec3 d, float lod) {
    float el = asin(clamp(d.y, -1.0, 1.0));
    float az = atan(d.x, -d.z);
    vec2 uv = vec2((az + PI) / (2.0 * PI), 0.5 - el / PI);
    return textureLod(u_envMap, uv, lod).rgb;
}

float shadowVisibility(vec3 worldPos, vec3 n, vec3 l) {
    vec3 offsetPos = worldPos + n * (u_shadowBias * 0.01);
    vec4 sc = u_shadowMatrix * vec4(offsetPos, 1.0);
    vec3 p = sc.xyz / sc.w * 0.5 + 0.5;
    if (p.x <= 0.0 || p.x >= 1.0 || p.y <= 0.0 || p.y >= 1.0 || p.z >= 1.0) return 1.0;
    float slope = clamp(1.0 - dot(n, l), 0.0, 1.0);
    p.z -= 0.0005 * u_shadowBias + 0.002 * slope;
    vec2 texel = 1.0 / vec2(textureSize(u_shadowMap, 0));
    const vec2 taps[8] = vec2[8](vec2(-0.94, -0.40), vec2(0.95, -0.77), vec2(-0.09, -0.93), vec2(0.34, 0.29),
                                 vec2(-0.92, 0.46), vec2(0.54, 0.84), vec2(-0.27, 0.92), vec2(0.19, -0.27));
    int count = clamp(u_shadowSamples, 1, 8);
    float lit = 0.0;
    for (int i = 0; i < count; ++i) {
        vec2 o = (count == 1 ? vec2(0.0) : taps[i]) * u_shadowRadius * texel;
        lit += texture(u_shadowMap, vec3(p.xy + o, p.z));
    }
    return lit / float(count);
}

void main() {
    Surface s;
    s.diffuse = texture(u_diffuseMap, v_uv) * v_color;
    s.emission = vec4(u_emission, 1.0);
    s.roughness = u_roughness;
    s.metalness = u_metalness;
    surfaceModifier(s);

    vec3 n = normalize(v_normal);
    if (!gl_FrontFacing) n = -n;
    vec3 v = normalize(u_cameraPos - v_worldPos);
    float NdotV = clamp(dot(n, v), 1e-4, 1.0);
    float rough = clamp(s.roughness, 0.04, 1.0);
    float a = rough * rough;
    float metal = clamp(s.metalness, 0.0, 1.0);
    vec3 base = s.diffuse.rgb;
    vec3 f0 = mix(vec3(0.04), base, metal);
    vec3 kd = base * (1.0 - metal);
    float ccRough = clamp(u_clearCoatRoughness, 0.04, 1.0);
    float cc = clamp(u_clearCoat, 0.0, 1.0);
    float ccFresnel = cc * (0.04 + 0.96 * schlick(NdotV));

    vec3 color = vec3(0.0);
    for (int i = 0; i < u_lightCount; ++i) {
        vec3 l = -u_lightDir[i];
        float NdotL = dot(n, l);
        if (NdotL <= 0.0) continue;
        vec3 h = normalize(l + v);
        float NdotH = max(dot(n, h), 0.0);
        float VdotH = clamp(dot(v, h), 0.0, 1.0);
        vec3 F = fresnel(f0, VdotH);
        // A light's strength scales both lobes alike: strength 1 lights a white diffuse
        // surface facing it to 1, and the glossy lobe to D·V·F. Scaling the glossy lobe by
        // π as well let a back light at a low camera wash every upward face out.
        float k = (rough + 1.0) * (rough + 1.0) / 8.0;
        vec3 glossy = ggx(NdotH, a) * smithVisibility(NdotV, NdotL, k) * F;
        vec3 lobe = kd * (1.0 - F) + glossy;
        float ccA = ccRough * ccRough;
        float ccF = cc * (0.04 + 0.96 * schlick(VdotH));
        float ccK = (ccRough + 1.0) * (ccRough + 1.0) / 8.0;
        vec3 coat = vec3(ggx(NdotH, ccA) * smithVisibility(NdotV, NdotL, ccK) * ccF);
        vec3 radiance = u_lightColor[i] * NdotL;
        if (i == u_shadowLight) radiance *= 1.0 - u_shadowAlpha * (1.0 - shadowVisibility(v_worldPos, n, l));
        color += (lobe * (1.0 - ccF) + coat) * radiance;
    }

    if (u_hasEnv != 0) {
        vec3 F = f0 + (max(vec3(1.0 - rough), f0) - f0) * schlick(NdotV);
        vec3 diffuse = kd * (1.0 - F) * max(shIrradiance(n), vec3(0.0));
        vec3 r = reflect(-v, n);
        vec2 ab = envBrdf(NdotV, rough);
        vec3 specular = envSample(r, rough * u_envMaxLod) * (f0 * ab.x + ab.y);
        // The coat's own reflection costs a second panorama lookup: only where there is a coat.
        vec3 coat = cc > 0.0 ? envSample(r, ccRough * u_envMaxLod) * ccFresnel : vec3(0.0);
        color += ((diffuse + specular) * (1.0 - ccFresnel) + coat) * u_envIntensity;
    }

    color += s.emission.rgb;
    color *= u_multiply;
    o_color = vec4(color, s.diffuse.a * u_opacity);
    vec3 viewNormal = normalize(mat3(u_view) * n);
    o_normal = vec4(viewNormal * 0.5 + 0.5, 1.0);
}
)";

std::string hook(std::string_view signature, const scene::ShaderModifier& m) {
    std::string out;
    out += m.declarations;
    out += "\n";
    out += signature;
    out += " {\n";
    out += m.body;
    out += "\n}\n";
    return out;
}

} // namespace

std::string materialVertex(const scene::ShaderModifier& geometry) {
    std::string s{kVersion};
    s += kVertexHead;
    s += hook("void geometryModifier(inout Geometry _geometry)", geometry);
    s += kVertexMain;
    return s;
}

std::string materialFragment(MaterialPass pass, const scene::ShaderModifier& surface) {
    std::string s{kVersion};
    s += kFragmentHead;
    if (pass == MaterialPass::depth) {
        s += kDepthMain;
        return s;
    }
    s += hook("void surfaceModifier(inout Surface _surface)", surface);
    s += kLitMain;
    return s;
}

std::string_view fullscreenVertex() {
    return R"(#version 330 core
out vec2 v_uv;
void main() {
    // One triangle covering the viewport.
    vec2 p = vec2(float((gl_VertexID << 1) & 2), float(gl_VertexID & 2));
    v_uv = p;
    gl_Position = vec4(p * 2.0 - 1.0, 0.0, 1.0);
}
)";
}

std::string_view backgroundFragment() {
    return R"(#version 330 core
in vec2 v_uv;
uniform sampler2D u_image;
uniform int u_hasImage;
uniform vec3 u_color;
layout(location = 0) out vec4 o_color;
void main() {
    // The image's row 0 is its top.
    vec3 c = u_hasImage != 0 ? texture(u_image, vec2(v_uv.x, 1.0 - v_uv.y)).rgb : u_color;
    o_color = vec4(c, 1.0);
}
)";
}

std::string_view particleVertex() {
    return R"(#version 330 core
layout(location = 0) in vec2 a_corner;
layout(location = 1) in vec4 a_centerSize;
layout(location = 2) in vec4 a_color;
layout(location = 3) in float a_angle;
uniform mat4 u_view;
uniform mat4 u_proj;
out vec2 v_uv;
out vec4 v_color;
void main() {
    float c = cos(a_angle), s = sin(a_angle);
    vec2 corner = vec2(c * a_corner.x - s * a_corner.y, s * a_corner.x + c * a_corner.y);
    vec4 viewCenter = u_view * vec4(a_centerSize.xyz, 1.0);
    // Facing the camera: the quad is offset in view space.
    vec4 viewPos = viewCenter + vec4(corner * a_centerSize.w, 0.0, 0.0);
    v_uv = a_corner + 0.5;
    v_color = a_color;
    gl_Position = u_proj * viewPos;
}
)";
}

std::string_view particleFragment() {
    return R"(#version 330 core
in vec2 v_uv;
in vec4 v_color;
uniform sampler2D u_image;
uniform int u_hasImage;
uniform int u_additive;
layout(location = 0) out vec4 o_color;
void main() {
    vec4 t = u_hasImage != 0 ? texture(u_image, v_uv) : vec4(1.0);
    // The sprite is premultiplied; so is the result.
    vec4 c = t * vec4(v_color.rgb * v_color.a, v_color.a);
    o_color = u_additive != 0 ? vec4(c.rgb, 0.0) : c;
}
)";
}

std::string_view ssaoFragment() {
    return R"(#version 330 core
in vec2 v_uv;
uniform sampler2D u_depth;
uniform sampler2D u_normal;
uniform mat4 u_proj;
uniform mat4 u_invProj;
uniform float u_radius;
uniform float u_bias;
uniform float u_depthThreshold;
layout(location = 0) out vec4 o_ao;

vec3 viewPosition(vec2 uv) {
    float d = texture(u_depth, uv).r;
    vec4 p = u_invProj * vec4(uv * 2.0 - 1.0, d * 2.0 - 1.0, 1.0);
    return p.xyz / p.w;
}

float hash(vec2 p) { return fract(sin(dot(p, vec2(12.9898, 78.233))) * 43758.5453); }

void main() {
    float d = texture(u_depth, v_uv).r;
    if (d >= 1.0) { o_ao = vec4(1.0); return; }
    vec3 p = viewPosition(v_uv);
    vec3 n = normalize(texture(u_normal, v_uv).xyz * 2.0 - 1.0);
    // A per-pixel rotation of the kernel turns banding into noise that the blur removes.
    float angle = hash(gl_FragCoord.xy) * 6.2831853;
    vec3 rnd = vec3(cos(angle), sin(angle), 0.0);
    vec3 t = normalize(rnd - n * dot(rnd, n));
    vec3 b = cross(n, t);
    mat3 tbn = mat3(t, b, n);
    const int COUNT = 12;
    float occlusion = 0.0;
    for (int i = 0; i < COUNT; ++i) {
        float fi = float(i);
        float r = (fi + 1.0) / float(COUNT);
        float phi = fi * 2.39996;
        float z = sqrt(1.0 - r * 0.85);
        vec3 k = vec3(cos(phi) * sqrt(1.0 - z * z), sin(phi) * sqrt(1.0 - z * z), z) * mix(0.1, 1.0, r * r);
        vec3 sp = p + tbn * k * u_radius;
        vec4 clip = u_proj * vec4(sp, 1.0);
        vec2 suv = clip.xy / clip.w * 0.5 + 0.5;
        if (suv.x < 0.0 || suv.x > 1.0 || suv.y < 0.0 || suv.y > 1.0) continue;
        float sceneZ = viewPosition(suv).z;
        float range = 1.0 - smoothstep(0.0, 1.0, abs(p.z - sceneZ) / max(u_depthThreshold * 4.0, 1e-3));
        occlusion += (sceneZ >= sp.z + u_bias ? 1.0 : 0.0) * range;
    }
    o_ao = vec4(1.0 - occlusion / float(COUNT));
}
)";
}

std::string_view ssaoBlurFragment() {
    return R"(#version 330 core
in vec2 v_uv;
uniform sampler2D u_ao;
uniform sampler2D u_depth;
uniform sampler2D u_normal;
uniform vec2 u_direction;
uniform float u_depthThreshold;
uniform float u_normalThreshold;
uniform mat4 u_invProj;
layout(location = 0) out vec4 o_ao;

float viewZ(vec2 uv) {
    vec4 p = u_invProj * vec4(uv * 2.0 - 1.0, texture(u_depth, uv).r * 2.0 - 1.0, 1.0);
    return p.z / p.w;
}

void main() {
    vec2 texel = 1.0 / vec2(textureSize(u_ao, 0));
    float z0 = viewZ(v_uv);
    vec3 n0 = texture(u_normal, v_uv).xyz * 2.0 - 1.0;
    float sum = 0.0, weight = 0.0;
    for (int i = -4; i <= 4; ++i) {
        vec2 uv = v_uv + u_direction * texel * float(i);
        float z = viewZ(uv);
        vec3 n = texture(u_normal, uv).xyz * 2.0 - 1.0;
        // Samples across a depth or crease edge do not bleed into this pixel.
        bool sameSurface = abs(z - z0) <= u_depthThreshold * max(abs(z0), 1.0) * 0.1 &&
                           dot(n, n0) >= 1.0 - u_normalThreshold;
        float w = (sameSurface ? 1.0 : 0.0) * (1.0 - abs(float(i)) / 5.0);
        sum += texture(u_ao, uv).r * w;
        weight += w;
    }
    o_ao = vec4(weight > 0.0 ? sum / weight : texture(u_ao, v_uv).r);
}
)";
}

std::string_view bloomBrightFragment() {
    return R"(#version 330 core
in vec2 v_uv;
uniform sampler2D u_source;
uniform float u_threshold;
uniform float u_exposure;
layout(location = 0) out vec4 o_color;
void main() {
    vec3 c = texture(u_source, v_uv).rgb * u_exposure;
    float luma = dot(c, vec3(0.2126, 0.7152, 0.0722));
    // A soft knee keeps the bloom from switching on abruptly at the threshold.
    float knee = u_threshold * 0.25 + 1e-4;
    float soft = clamp(luma - u_threshold + knee, 0.0, 2.0 * knee);
    soft = soft * soft / (4.0 * knee);
    float w = max(soft, luma - u_threshold) / max(luma, 1e-4);
    o_color = vec4(c * w, 1.0);
}
)";
}

std::string_view bloomDownFragment() {
    return R"(#version 330 core
in vec2 v_uv;
uniform sampler2D u_source;
layout(location = 0) out vec4 o_color;
void main() {
    vec2 t = 1.0 / vec2(textureSize(u_source, 0));
    vec3 c = texture(u_source, v_uv).rgb * 4.0;
    c += texture(u_source, v_uv + vec2(-t.x, -t.y)).rgb;
    c += texture(u_source, v_uv + vec2(t.x, -t.y)).rgb;
    c += texture(u_source, v_uv + vec2(-t.x, t.y)).rgb;
    c += texture(u_source, v_uv + vec2(t.x, t.y)).rgb;
    o_color = vec4(c / 8.0, 1.0);
}
)";
}

std::string_view bloomUpFragment() {
    return R"(#version 330 core
in vec2 v_uv;
uniform sampler2D u_source;
uniform float u_spread;
layout(location = 0) out vec4 o_color;
void main() {
    vec2 t = u_spread / vec2(textureSize(u_source, 0));
    vec3 c = texture(u_source, v_uv).rgb * 4.0;
    c += texture(u_source, v_uv + vec2(-t.x, 0.0)).rgb * 2.0;
    c += texture(u_source, v_uv + vec2(t.x, 0.0)).rgb * 2.0;
    c += texture(u_source, v_uv + vec2(0.0, -t.y)).rgb * 2.0;
    c += texture(u_source, v_uv + vec2(0.0, t.y)).rgb * 2.0;
    c += texture(u_source, v_uv + vec2(-t.x, -t.y)).rgb;
    c += texture(u_source, v_uv + vec2(t.x, -t.y)).rgb;
    c += texture(u_source, v_uv + vec2(-t.x, t.y)).rgb;
    c += texture(u_source, v_uv + vec2(t.x, t.y)).rgb;
    o_color = vec4(c / 16.0, 1.0);
}
)";
}

std::string_view compositeFragment() {
    return R"(#version 330 core
in vec2 v_uv;
uniform sampler2D u_scene;
uniform sampler2D u_ao;
uniform sampler2D u_bloom;
uniform sampler2D u_depth;
uniform int u_hasAo;
uniform int u_hasBloom;
uniform float u_aoIntensity;
uniform float u_bloomIntensity;
uniform float u_exposure;
uniform int u_toneMap;
uniform float u_saturation;
uniform float u_contrast;
uniform float u_vignetteIntensity;
uniform float u_vignettePower;
uniform float u_aspect;
layout(location = 0) out vec4 o_color;

vec3 aces(vec3 x) {
    return clamp((x * (2.51 * x + 0.03)) / (x * (2.43 * x + 0.59) + 0.14), 0.0, 1.0);
}

vec3 encodeSrgb(vec3 c) {
    c = clamp(c, 0.0, 1.0);
    return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(vec3(0.0031308), c));
}

void main() {
    vec3 c = texture(u_scene, v_uv).rgb;
    bool surface = texture(u_depth, v_uv).r < 1.0;
    if (u_hasAo != 0 && surface) c *= mix(1.0, texture(u_ao, v_uv).r, clamp(u_aoIntensity, 0.0, 1.0));
    c *= u_exposure;
    if (u_hasBloom != 0) c += texture(u_bloom, v_uv).rgb * u_bloomIntensity;
    // The backdrop is a painted near-black image: the tone curve's toe would crush it to
    // black, so only lit surfaces go through the curve.
    if (u_toneMap != 0 && surface) c = aces(c);
    // Saturation, contrast and vignette work on display values. Contrast is an S-curve that
    // steepens the mid-tones by (1 + contrast) and keeps black and white where they are; a
    // straight line about 0.5 would clip the near-black backdrop to black.
    c = clamp(encodeSrgb(c), 0.0, 1.0);
    float luma = dot(c, vec3(0.2126, 0.7152, 0.0722));
    c = clamp(mix(vec3(luma), c, u_saturation), 0.0, 1.0);
    c += 2.0 * u_contrast * c * (1.0 - c) * (2.0 * c - 1.0);
    if (u_vignetteIntensity > 0.0) {
        vec2 d = (v_uv - 0.5) * vec2(max(u_aspect, 1.0), max(1.0 / u_aspect, 1.0));
        float r = clamp(length(d) * 1.41421356, 0.0, 1.0);
        c *= 1.0 - u_vignetteIntensity * pow(r, 2.0 / max(u_vignettePower, 0.05));
    }
    o_color = vec4(clamp(c, 0.0, 1.0), 1.0);
}
)";
}

} // namespace vesk::gl::shaders
