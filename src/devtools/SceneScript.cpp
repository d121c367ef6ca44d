#include "devtools/SceneScript.hpp"

#include "core/runtime/Clock.hpp"
#include "core/runtime/FileSystem.hpp"
#include "core/runtime/MainQueue.hpp"
#include "core/store/Store.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/state/TarnelUI.hpp"

#include <algorithm>
#include <charconv>

namespace vesk::VideoTools {
namespace {

using A = SceneAction;
using Tab = TarnelUI::Tab;

constexpr double quitAfterClipSeconds = 2.5;

std::optional<UUID> firstTaskTitled(const Store& store, std::string_view prefix) {
    for (const TaskItem& task : store.tasks.get())
        if (task.title.starts_with(prefix)) return task.id;
    return std::nullopt;
}

void setHover(TarnelUI& ui, bool on) {
    if (ui.hovering.get() != on) withAnimation(Animation::tarnel, [&] { ui.setHovering(on); });
}

} // namespace

Scene sceneNamed(std::string_view name) {
    if (name == "open")
        return {{{0.9, A::hoverOn}, {1.5, A::quietHoverOffThenExpandTasks}, {3.0, A::typeCallMom}}, 5.6};
    if (name == "complete") return {{{-0.8, A::expandTasks}, {1.0, A::tickReplyTask}}, 6.2};
    if (name == "bonsai") return {{{-0.8, A::expandBonsai}, {0, A::turnCamera}}, 6.0};
    if (name == "garden")
        return {
            {{-5.0, A::expandBonsai}, {-4.6, A::openGarden}, {-1.0, A::closeGarden}, {0.8, A::openGarden}},
            4.6};
    if (name == "focus") return {{{-0.8, A::expandFocus}, {0.6, A::startTimer}, {2.8, A::collapse}}, 5.8};
    if (name == "stats") return {{{-0.8, A::expandStats}}, 3.2};
    if (name == "idle") return {{{1.0, A::hoverOn}, {1.8, A::hoverOff}}, 3.2};
    return {};
}

double leadSeconds(const Scene& scene) {
    if (scene.steps.empty()) return 1.6;
    const auto earliest =
        std::min_element(scene.steps.begin(), scene.steps.end(),
                         [](const SceneStep& a, const SceneStep& b) { return a.seconds < b.seconds; });
    return std::max(0.6 - earliest->seconds, 1.6);
}

std::string startMomentText(double unixSeconds) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, unixSeconds);
    return std::string(text, result.ptr);
}

void runScene(std::string_view name, Store& store, TarnelUI& ui, const SceneStage& stage) {
    const std::optional<UUID> pitch = firstTaskTitled(store, "Finish pitch deck");
    const std::optional<UUID> reply = firstTaskTitled(store, "Reply to Greta");
    const Scene scene = sceneNamed(name);
    const double lead = leadSeconds(scene);

    stage.queue.after(lead, [&clock = stage.clock, &files = stage.files, file = stage.startMomentFile] {
        if (file) files.writeAtomically(*file, startMomentText(unixSeconds(clock.now())));
    });
    for (const SceneStep& step : scene.steps) {
        // Each step keeps what it needs: the stage is gone once this call returns.
        stage.queue.after(lead + step.seconds, [&store, &ui, orbit = stage.orbitCamera, pitch, reply,
                                                action = step.action] {
            switch (action) {
            case A::hoverOn:
                setHover(ui, true);
                break;
            case A::hoverOff:
                setHover(ui, false);
                break;
            case A::quietHoverOffThenExpandTasks:
                withoutAnimation([&] { ui.setHovering(false); });
                ui.expand(Tab::tasks);
                break;
            case A::expandTasks:
                ui.expand(Tab::tasks);
                break;
            case A::expandBonsai:
                ui.expand(Tab::bonsai);
                break;
            case A::expandFocus:
                ui.expand(Tab::focus);
                break;
            case A::expandStats:
                ui.expand(Tab::stats);
                break;
            case A::typeCallMom:
                ui.typeScripted("Call mom");
                break;
            case A::tickReplyTask:
                if (reply) withAnimation(Animation::tarnelFast, [&] { store.toggleDone(*reply); });
                break;
            case A::startTimer:
                withAnimation(Animation::tarnelFast, [&] { store.start(TimerMode::pomodoro, pitch); });
                break;
            case A::openGarden:
                withAnimation(Animation::tarnelFast, [&] { ui.openGarden(); });
                break;
            case A::closeGarden:
                withAnimation(Animation::tarnelFast, [&] { ui.closeGarden(); });
                break;
            case A::collapse:
                ui.collapse();
                break;
            case A::turnCamera:
                orbit(0.1f, 1.2f, 6.0);
                break;
            }
        });
    }
    stage.queue.after(lead + scene.lengthSeconds + quitAfterClipSeconds, [quit = stage.quit] { quit(); });
}

} // namespace vesk::VideoTools
