#include "app/AppDelegate.hpp"

#include "app/DataFileClaim.hpp"
#include "app/Screens.hpp"
#include "core/runtime/Calendar.hpp"
#include "core/runtime/SerialFileWriter.hpp"
#include "core/store/Store.hpp"
#include "devtools/DeveloperLaunch.hpp"
#include "garden/bonsai/BonsaiScreens.hpp"
#include "garden/bonsai/SceneFrames.hpp"
#include "garden/tour/TourDriver.hpp"
#include "platform/AbruptExit.hpp"
#include "platform/GetrandomSource.hpp"
#include "platform/HotKey.hpp"
#include "platform/InotifyFileReads.hpp"
#include "platform/InotifyFolderWatcher.hpp"
#include "platform/LoginItem.hpp"
#include "platform/PosixFileSystem.hpp"
#include "platform/PulseSound.hpp"
#include "platform/QtMainQueue.hpp"
#include "platform/QtX11Display.hpp"
#include "platform/QuitDeadline.hpp"
#include "platform/SystemClock.hpp"
#include "platform/TerminationSignals.hpp"
#include "platform/ToggleSocket.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "render/thumbs/BonsaiThumbnails.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/panel/TarnelController.hpp"
#include "shell/state/StoreReactions.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Fonts.hpp"

#include <QApplication>
#include <iostream>

namespace vesk {

// The real platform under the store, the panel and the reactions.
struct AppServices {
    SystemClock clock;
    QtMainQueue queue;
    PosixFileSystem files;
    SerialFileWriter writer{files};
    InotifyFolderWatcher watcher;
    InotifyFileReads reads;
    GetrandomSource random;
    Calendar calendar;
    PulseSound sound;
    std::unique_ptr<QtX11Display> x11 = QtX11Display::create();
    DataFileClaim claim;
    std::unique_ptr<TerminationSignals> terminationSignals;
    std::unique_ptr<AbruptExit> abruptExit;
    std::unique_ptr<RevealStage> stage;
    std::unique_ptr<TreeDisplay> tree;
};

namespace {

// The UI state as the reactions see it.
class UIRevealStage final : public RevealStage {
  public:
    UIRevealStage(TarnelUI& ui, RandomSource& random) : ui_(ui), random_(random) {}
    bool expanded() const override { return ui_.expanded.get(); }
    bool tourRunning() const override { return ui_.tour.get().has_value(); }
    std::optional<Counts> pendingReveal() const override {
        const auto& reveal = ui_.reveal.get();
        if (!reveal) return std::nullopt;
        return Counts{reveal->from, reveal->to, reveal->unlocked};
    }
    void beginReveal(std::int64_t from, std::int64_t to) override {
        withAnimation(Animation::tarnelOpen, [&] {
            ui_.setReveal(Reveal{UUID::random(random_), from, to, false});
        });
    }
    void extendReveal(std::int64_t to, bool unlocked) override {
        Reveal next = *ui_.reveal.get();
        next.to = to;
        next.unlocked = unlocked;
        withoutAnimation([&] { ui_.setReveal(next); });
    }
    void markRevealUnlocked() override {
        Reveal next = *ui_.reveal.get();
        next.unlocked = true;
        withAnimation(Animation::tarnelFast, [&] { ui_.setReveal(next); });
    }
    void clearReveal() override {
        withAnimation(Animation::tarnelClose, [&] { ui_.setReveal(std::nullopt); });
    }
    void showToast(const std::string& icon, const std::string& text, const QColor& tint,
                   double seconds) override {
        ui_.showToast(icon, text, tint.rgba(), seconds);
    }

  private:
    TarnelUI& ui_;
    RandomSource& random_;
};

// The reactions' tree requests go to the live renderer, drawn through the live frames.
class EngineTree final : public TreeDisplay {
  public:
    EngineTree(BonsaiEngine& engine, SceneFrames& frames) : engine_(engine), frames_(frames) {}
    void show(std::uint64_t seed, std::int64_t n, std::optional<std::int64_t> from,
              std::function<void()> done) override {
        engine_.show(seed, n, from, std::move(done));
    }
    void whenDrawable(std::function<void()> then) override { frames_.whenReady(std::move(then)); }

  private:
    BonsaiEngine& engine_;
    SceneFrames& frames_;
};

} // namespace

AppDelegate::AppDelegate(std::vector<std::string> arguments, Ahead ahead)
    : arguments_(std::move(arguments)), ahead_(std::move(ahead)) {}

AppDelegate::Ahead AppDelegate::readDataFileAhead() {
    static PosixFileSystem files; // outlives the reading
    const EnvironmentLookup environment = processEnvironment();
    const auto path = dataFilePath(environment);
    Ahead ahead;
    if (DeveloperLaunch::writesUserFiles(environment)) {
        ahead.lock = DataFileLock::acquire(path);
        const DataFileLock::Attempt& lock = *ahead.lock;
        // Read ahead only by a Vesk that may write it: the lock held, or a file system without locks.
        if (!lock && lock.failure().status != DataFileLock::Status::noLocks) return ahead;
    }
    ahead.reading = vesk::readDataFileAhead(path, files, SystemClock().now());
    return ahead;
}

AppDelegate::~AppDelegate() = default;

AppDelegate::Launch AppDelegate::applicationDidFinishLaunching() {
    services_ = std::make_unique<AppServices>();
    quitSavesFirst();
    const EnvironmentLookup environment = processEnvironment();
    developer_ = std::make_unique<DeveloperLaunch>(arguments_, environment);
    // The views' faces load while a large data file may still be decoding.
    Fonts::load();
    if (const auto other = openStore(environment)) return *other;
    developer_->prepare(*store_, services_->clock, services_->random, services_->calendar);
    showTarnel();
    wireReactions();
    openTourWhenNew();
    registerHotKey();
    // Last: the developer's launch scenario, with the quit path above already in place.
    developer_->start(
        *store_, *ui_, *controller_, *engine_,
        [this](std::int64_t from, std::int64_t to, GainReason reason) {
            reactions_->bonsaiGrew(from, to, reason);
        },
        services_->queue, services_->clock, services_->files);
    return Launch::running;
}

void AppDelegate::quitSavesFirst() {
    // Logout, Ctrl+C and a closed terminal end the program like "Quit Vesk", saving first;
    // from the very start, so that one during start-up does not kill it unsaved.
    services_->terminationSignals =
        std::make_unique<TerminationSignals>([](int) { QCoreApplication::quit(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [this] { applicationWillTerminate(); });
    // Qt's own end when the X server goes away skips the quit: the save runs before that end.
    if (QtX11Display* x11 = services_->x11.get())
        services_->abruptExit = std::make_unique<AbruptExit>([x11] { return x11->display().broken(); },
                                                             [this] {
                                                                 if (store_)
                                                                     store_->saveNow(SaveOccasion::quit);
                                                                 return 1; // no quit asked for it
                                                             });
}

std::optional<AppDelegate::Launch> AppDelegate::openStore(const EnvironmentLookup& environment) {
    AppServices& s = *services_;
    const auto files = developer_->storeFiles(s.files, s.writer);
    const auto path = Store::defaultPath(environment, files.files);
    if (!files.readOnly) {
        s.claim = DataFileClaim::settle(ahead_.lock ? std::move(*ahead_.lock) : DataFileLock::acquire(path),
                                        path, environment("XDG_RUNTIME_DIR"), !developer_->wantsOwnProgram(),
                                        [this] { toggleTarnel(); });
        if (s.claim.outcome == DataFileClaim::Outcome::handedOver) return Launch::handedOver;
        if (s.claim.outcome == DataFileClaim::Outcome::refused) return Launch::refused;
    }
    store_ = std::make_unique<Store>(path,
                                     StoreEnvironment{s.clock, s.queue, files.files, files.writer, s.watcher,
                                                      s.reads, s.random, s.calendar},
                                     ahead_.reading.valid() ? ahead_.reading.get() : std::nullopt);
    return std::nullopt;
}

void AppDelegate::showTarnel() {
    AppServices& s = *services_;
    ui_ = std::make_unique<TarnelUI>(*store_, s.queue, developer_->tourLog());
    engine_ = std::make_unique<BonsaiEngine>(s.queue);
    frames_ = makeLiveFrames(*ui_);
    tourDriver_ = std::make_unique<TourDriver>(*store_, *ui_, s.queue);
    thumbnails_ = std::make_unique<BonsaiThumbnails>(s.queue);
    MenuServices menu{[] { return LoginItem::isEnabled(); },
                      [](bool on) { LoginItem::set(on, chosenDataFile(processEnvironment())); },
                      [] { QCoreApplication::quit(); }, [this] { return ui_->hotKeyOurs.get(); }};
    controller_ = std::make_unique<TarnelController>(*store_, *ui_, s.x11 ? &s.x11->display() : nullptr,
                                                     s.queue, s.files, menu, developer_->panelOptions());
    controller_->setScreens(makeScreens(*store_, *ui_, ViewServices{s.clock, s.calendar, s.queue, s.random},
                                        *engine_, *thumbnails_, frames_));
    controller_->show();
    const BonsaiProgress& bonsai = store_->bonsai.get();
    if (const GardenTree* tree = treeWithSeed(bonsai, bonsai.seed))
        engine_->show(bonsai.seed, shownCubes(*tree));
}

void AppDelegate::wireReactions() {
    AppServices& s = *services_;
    s.stage = std::make_unique<UIRevealStage>(*ui_, s.random);
    s.tree = std::make_unique<EngineTree>(*engine_, *frames_);
    reactions_ = std::make_unique<StoreReactions>(*store_, *s.stage, *s.tree, s.sound, s.queue);
    heard_.listen(store_->timerEvent, [this](TimerEvent event) { reactions_->timerEvent(event); });
    heard_.listen(store_->grew, [this](std::int64_t from, std::int64_t to, GainReason reason) {
        reactions_->bonsaiGrew(from, to, reason);
    });
    heard_.listen(store_->seedlingUnlocked, [this] { reactions_->seedlingUnlocked(); });
    heard_.listen(ui_->onboardingFinished,
                  [this] { store_->writePrefs([](Prefs& prefs) { prefs.onboarded = true; }); });
}

void AppDelegate::openTourWhenNew() {
    if (store_->prefs.get().onboarded) return;
    services_->queue.after(0.9, [this] {
        ui_->startTour();
        ui_->expand(TarnelUI::Tab::tasks);
        developer_->tourOpened(*ui_);
    });
}

void AppDelegate::registerHotKey() {
    if (AppServices& s = *services_; s.x11) {
        hotKey_ = std::make_unique<HotKey>(s.x11->display(), s.queue, HotKey::spaceKeyCode,
                                           HotKey::optionModifier, [this] { toggleTarnel(); });
        heard_.watch(hotKey_->registered, [this] { hotKeyChanged(); });
    }
    hotKeyChanged();
}

void AppDelegate::toggleTarnel() {
    if (!ui_) return;
    if (ui_->expanded.get())
        ui_->collapse();
    else
        ui_->expand(TarnelUI::Tab::tasks, TarnelUI::Focus::addField);
}

void AppDelegate::hotKeyChanged() {
    const bool ours = hotKey_ && hotKey_->registered.get();
    ui_->setHotKeyOurs(ours);
    if (!hotKey_) return;
    // For whoever started us from a terminal, wondering why Alt+Space does nothing.
    if (!ours)
        std::cerr
            << "vesk: Alt+Space is used by another program; trying again every few seconds. Running vesk "
               "again opens or closes Vesk.\n";
    else if (hotKeyWasTaken_)
        std::cerr << "vesk: Alt+Space is free now and opens Vesk\n";
    hotKeyWasTaken_ = !ours;
}

void AppDelegate::applicationWillTerminate() {
    if (store_) store_->saveNow(SaveOccasion::quit);
    QuitDeadline::arm(QuitDeadline::seconds, exitStatus());
}

int AppDelegate::exitStatus() const {
    return store_ && store_->hasUnwrittenChanges() ? 1 : 0;
}

} // namespace vesk
