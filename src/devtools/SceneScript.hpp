#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

class Clock;
class FileSystem;
class MainQueue;
class Store;
class TarnelUI;

namespace VideoTools {

// What a scripted scene does at a moment of its clip.
enum class SceneAction {
    hoverOn,
    hoverOff,
    quietHoverOffThenExpandTasks,
    expandTasks,
    expandBonsai,
    expandFocus,
    expandStats,
    typeCallMom,
    tickReplyTask,
    startTimer,
    openGarden,
    closeGarden,
    collapse,
    turnCamera,
};

struct SceneStep {
    double seconds; // from the clip's start moment; negative runs before it
    SceneAction action;
    bool operator==(const SceneStep&) const = default;
};

struct Scene {
    std::vector<SceneStep> steps;
    double lengthSeconds = 5.0;
};

// The scene a `VESK_VIDEO` value names (exactly, case included); an unknown one has no steps.
Scene sceneNamed(std::string_view name);
// Seconds from the call to the start moment: the earliest step runs no sooner than 0.6 s.
double leadSeconds(const Scene& scene);
// The start moment as the recorder reads it: seconds since 1970, the shortest text that
// reads back as the same double.
std::string startMomentText(double unixSeconds);

// What a scene drives besides the store and the UI state.
struct SceneStage {
    MainQueue& queue;
    const Clock& clock;
    FileSystem& files;
    std::optional<std::filesystem::path> startMomentFile; // VESK_VIDEO_T0
    std::function<void(float fromYaw, float toYaw, double seconds)> orbitCamera;
    std::function<void()> quit; // the ordinary quit, which saves
};

// Schedules the whole clip on the stage's queue and returns at once: the steps, the start
// moment and the quit 2.5 s after the clip's end.
void runScene(std::string_view name, Store& store, TarnelUI& ui, const SceneStage& stage);

} // namespace VideoTools
} // namespace vesk
