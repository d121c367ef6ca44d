#include "devtools/DeveloperLaunch.hpp"

#include "core/runtime/SerialFileWriter.hpp"
#include "core/store/Store.hpp"
#include "devtools/Demo.hpp"
#include "devtools/EngineStress.hpp"
#include "devtools/ReadOnlyFiles.hpp"
#include "devtools/SceneScript.hpp"
#include "devtools/VideoScene.hpp"
#include "devtools/VideoTools.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/PendingPicture.hpp"
#include "shell/panel/TarnelPanel.hpp"
#include "shell/state/TarnelUI.hpp"

#include <QCoreApplication>
#include <algorithm>
#include <iostream>
#include <utility>

namespace vesk {
namespace {

// Makes the tree with `seed` the current one, planting it with no cubes when the garden
// lacks it. Seed 0 means "no current tree" everywhere else, so it is ignored.
void forceSeed(Store& store, std::uint64_t seed, const Clock& clock, RandomSource& random) {
    if (seed == 0) return;
    store.seed([&](Snapshot& data) {
        BonsaiProgress& progress = *data.bonsai;
        if (!treeWithSeed(progress, seed))
            progress.garden.push_back(GardenTree{UUID::random(random), seed, clock.now(), 0});
        progress.seed = seed;
    });
}

} // namespace

std::optional<int> DeveloperLaunch::takeOver(int argc, char** argv) {
    const std::vector<std::string> words(argv, argv + argc);
    if (const auto stress = EngineStressPlan::find(words)) {
        // No display is needed: a plain event loop runs the timers.
        QCoreApplication app(argc, argv);
        return EngineStress::run(*stress, std::cout);
    }
    if (std::find(words.begin(), words.end(), "--render-frames") != words.end())
        return VideoTools::renderFrames(words);
    if (std::find(words.begin(), words.end(), Debug::helpWord) != words.end()) {
        std::cout << Debug::usage();
        return 0;
    }
    // A mistyped developer option would otherwise start the real program on the user's data.
    if (const auto refusal = Debug::refusal(words)) {
        std::cerr << "vesk: " << *refusal << "\n\n" << Debug::usage();
        return 2;
    }
    return std::nullopt;
}

DeveloperLaunch::DeveloperLaunch(const std::vector<std::string>& arguments, EnvironmentLookup environment)
    : options_(arguments), environment_(std::move(environment)), videoScene_(environment_("VESK_VIDEO")) {}

DeveloperLaunch::~DeveloperLaunch() = default;

bool DeveloperLaunch::wantsOwnProgram() const {
    return options_ != Debug() || videoScene_;
}

bool DeveloperLaunch::writesUserFiles(const EnvironmentLookup& environment) {
    const auto data = environment("TARNEL_DATA");
    return !environment("VESK_VIDEO") || (data && !data->empty());
}

DeveloperLaunch::StoreFiles DeveloperLaunch::storeFiles(FileSystem& files, FileWriter& writer) {
    if (writesUserFiles(environment_)) return {files, writer, false};
    if (!readOnlyFiles_) {
        readOnlyFiles_ = std::make_unique<ReadOnlyFiles>(files);
        readOnlyWriter_ = std::make_unique<SerialFileWriter>(*readOnlyFiles_);
    }
    return {*readOnlyFiles_, *readOnlyWriter_, true};
}

PanelOptions DeveloperLaunch::panelOptions() const {
    return {.pinned = options_.snapshot || videoScene_, .pointerIgnored = videoScene_.has_value()};
}

std::ostream* DeveloperLaunch::tourLog() const {
    return environment_("VESK_TOUR_LOG") ? &std::cout : nullptr;
}

void DeveloperLaunch::prepare(Store& store, const Clock& clock, RandomSource& random,
                              const Calendar& calendar) const {
    if (videoScene_)
        VideoTools::seed(store, VideoTools::videoTree(environment_), VideoTools::videoIteration(environment_),
                         clock, random, calendar);
    if (options_.demo) Demo::seed(store, clock, random, calendar);
    if (options_.seed) forceSeed(store, *options_.seed, clock, random);
    if (options_.iteration) store.debugSetIteration(*options_.iteration);
    if (options_.onboarding) store.writePrefs([](Prefs& prefs) { prefs.onboarded = false; });
}

void DeveloperLaunch::tourOpened(TarnelUI& ui) const {
    // The pages of "--onboarding 1…6"; 2 goes on from the welcome page as its button does.
    constexpr TourStep pages[] = {TourStep::seedling, TourStep::welcome, TourStep::openBonsai,
                                  TourStep::garden,   TourStep::focus,   TourStep::yourTurn};
    const std::int64_t page = options_.onboarding.value_or(0);
    if (page < 1 || page > 6) return;
    if (page == 2) return ui.advanceTour(TourStep::welcome);
    if (page == 4) withAnimation(Animation::tarnel, [&] { ui.select(TarnelUI::Tab::bonsai); });
    ui.setTour(pages[page - 1]);
}

void DeveloperLaunch::start(Store& store, TarnelUI& ui, TarnelController& controller, BonsaiEngine& engine,
                            Debug::GrowthReaction bonsaiGrew, MainQueue& queue, const Clock& clock,
                            FileSystem& files) const {
    if (options_.fakeNotch) ui.setMetrics(ScreenMetrics{true, 185, 32});
    options_.run(store, ui,
                 {queue, environment_,
                  [&controller](const std::filesystem::path& path) { return controller.snapshot(path); },
                  [&controller] { return controller.panel() && PendingPicture::any(*controller.panel()); },
                  [&engine](float progress) { engine.freezeAnimation(progress); }, std::move(bonsaiGrew),
                  [](int status) { QCoreApplication::exit(status); }, std::cerr});
    if (!videoScene_) return;
    VideoTools::runScene(
        *videoScene_, store, ui,
        {queue, clock, files, environment_("VESK_VIDEO_T0"),
         [&engine](float from, float to, double seconds) { engine.orbitCamera(from, to, seconds); },
         [] { QCoreApplication::quit(); }});
}

} // namespace vesk
