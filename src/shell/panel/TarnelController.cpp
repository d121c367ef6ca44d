#include "shell/panel/TarnelController.hpp"

#include "core/store/Store.hpp"
#include "platform/GlobalPointerMonitor.hpp"
#include "platform/QtPanelKeys.hpp"
#include "platform/X11Panel.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/panel/PanelKeys.hpp"
#include "shell/panel/PanelRules.hpp"
#include "shell/panel/TarnelPanel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/views/ExpandedView.hpp"
#include "shell/views/TarnelRoot.hpp"
#include "shell/views/TarnelSnapshot.hpp"
#include "shell/views/TarnelView.hpp"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>

namespace vesk {
namespace {

QSizeF sizeOf(const TarnelUI& ui) {
    const auto s = ui.size();
    return QSizeF(s.width, s.height);
}

// Sends an editing command to the focused text field, as the platform's responder chain would.
void sendToFocusedField(PanelKeyAction action) {
    QWidget* focus = QApplication::focusWidget();
    auto run = [&](auto* field) {
        switch (action) {
        case PanelKeyAction::selectAll:
            field->selectAll();
            break;
        case PanelKeyAction::undo:
            field->undo();
            break;
        case PanelKeyAction::redo:
            field->redo();
            break;
        case PanelKeyAction::cut:
            field->cut();
            break;
        case PanelKeyAction::copy:
            field->copy();
            break;
        case PanelKeyAction::paste:
            field->paste();
            break;
        default:
            break;
        }
    };
    if (auto* line = qobject_cast<QLineEdit*>(focus))
        run(line);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus))
        run(plain);
    else if (auto* rich = qobject_cast<QTextEdit*>(focus))
        run(rich);
}

bool editingText() {
    QWidget* focus = QApplication::focusWidget();
    return qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus) ||
           qobject_cast<QTextEdit*>(focus);
}

} // namespace

TarnelController::TarnelController(Store& store, TarnelUI& ui, X11Display* display, MainQueue& queue,
                                   FileSystem& files, MenuServices menuServices, PanelOptions options)
    : store_(store), ui_(ui), display_(display), queue_(queue), files_(files),
      menuServices_(std::move(menuServices)), options_(options) {}

TarnelController::~TarnelController() = default;

void TarnelController::show() {
    panel_ = std::make_unique<TarnelPanel>(display_);
    auto* tarnel =
        new TarnelView(ui_, new ExpandedView(store_, ui_, menuServices_, factories_), menuServices_);
    root_ = new TarnelRoot(ui_, tarnel, panel_.get());
    root_->setGeometry(0, 0, panel_->width(), panel_->height());
    tarnel->setOnClick([this] { ui_.expand(std::nullopt); });
    root_->setOnOutlineChanged([this] { updateShapes(); });
    if (factories_.revealPanel) root_->setSatellite(factories_.revealPanel(root_));
    reposition();
    qApp->installEventFilter(this);
    panel_->show();
    observations_.watch(ui_.expanded, [this] { expandedChanged(ui_.expanded.get()); });
    installMonitors();
    auto* app = qApp;
    connect(app, &QGuiApplication::screenAdded, this, [this] { reposition(); });
    connect(app, &QGuiApplication::screenRemoved, this, [this] { reposition(); });
    connect(app, &QGuiApplication::primaryScreenChanged, this, [this] { reposition(); });
    for (QScreen* screen : QGuiApplication::screens())
        connect(screen, &QScreen::geometryChanged, this, [this] { reposition(); });
    // Another application taking the focus closes the tarnel; our own menus do not count.
    connect(app, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && !options_.pinned) ui_.collapse();
    });
}

void TarnelController::reposition() {
    QScreen* screen = TarnelPanel::targetScreen();
    if (!screen) return;
    screenFrame_ = TarnelPanel::screenFrame(*screen);
    ui_.setMetrics(screenMetrics(screenFrame_, TarnelPanel::availableFrame(*screen)));
    panel_->place(screenFrame_);
    updateShapes();
}

PanelRect TarnelController::tarnelRect() const {
    const QSizeF size = sizeOf(ui_);
    return PanelGeometry::tarnelRect(screenFrame_, size.width(), size.height());
}

void TarnelController::updateShapes() {
    if (!panel_ || !root_) return;
    // The shapes follow the animated outline, so that the growing panel is clickable and
    // seen at once.
    const QRectF frame = root_->tarnelFrame();
    panel_->setInputArea(
        PanelGeometry::inputShape(screenFrame_, frame.width(), frame.height(), panel_->devicePixelRatioF()));
    panel_->setDrawn(root_->drawnOutline(), TarnelRoot::haloPoints);
}

void TarnelController::expandedChanged(bool expanded) {
    if (expanded)
        panel_->takeFocus();
    else
        panel_->giveUpFocus();
    trackMouse();
}

void TarnelController::installMonitors() {
    if (!display_) return;
    pointer_ = std::make_unique<GlobalPointerMonitor>(
        *display_, queue_, [this] { trackMouse(); }, [this](std::uint32_t time) { clickedOutside(time); });
}

void TarnelController::trackMouse() {
    if (options_.pointerIgnored || !panel_ || !panel_->x11()) return;
    const auto pointer = panel_->x11()->pointer();
    if (!pointer) return;
    const auto verdict = MouseTracking::track(*pointer, tarnelRect(), ui_.expanded.get());
    if (!verdict) return;
    if (verdict->hover != ui_.hovering.get())
        withAnimation(Animation::tarnel, [&] { ui_.setHovering(verdict->hover); });
}

void TarnelController::clickedOutside(std::uint32_t pressTime) {
    if (!panel_ || !panel_->x11()) return;
    const auto pointer = panel_->x11()->pointer();
    if (!pointer) return;
    // A quick click on a menu entry has closed the menu by the time this runs; the press
    // itself, seen by the menu with the same server time, tells it was ours.
    const bool ownWindow =
        QApplication::activePopupWidget() != nullptr || (pressTime != 0 && pressTime == ownPressTime_);
    if (MouseTracking::clickCollapses(*pointer, tarnelRect(), ui_.expanded.get(), options_.pinned, ownWindow))
        ui_.collapse();
}

bool TarnelController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_.get() && event->type() == QEvent::KeyPress)
        return handleKey(static_cast<const QKeyEvent&>(*event));
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        ownPressTime_ = static_cast<std::uint32_t>(static_cast<const QMouseEvent*>(event)->timestamp());
    // The pointer over our own window: the global monitor does not see it on every server.
    if ((type == QEvent::Enter || type == QEvent::Leave || type == QEvent::MouseMove) &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == panel_.get())
        trackMouse();
    return QObject::eventFilter(watched, event);
}

bool TarnelController::handleKey(const QKeyEvent& event) {
    PanelKeyContext context;
    context.expanded = ui_.expanded.get();
    context.inPanel = true;
    context.detailOpen = ui_.detailID.get().has_value();
    context.gardenOpen = ui_.gardenOpen.get();
    context.tourRunning = ui_.tour.get().has_value();
    context.focusTab = ui_.tab.get() == TarnelUI::Tab::focus;
    context.editingText = editingText();
    context.timerRunning = store_.timer.get().runningSince.has_value();
    const PanelKeyAction action = panelKeyAction(panelKeyPress(event), context);
    auto selectTab = [this](TarnelUI::Tab tab) {
        withAnimation(Animation::tarnel, [&] { ui_.select(tab); });
    };
    switch (action) {
    case PanelKeyAction::passOn:
        return false;
    case PanelKeyAction::closeDetail:
        withAnimation(Animation::tarnelFast, [&] { ui_.closeDetail(); });
        break;
    case PanelKeyAction::closeGarden:
        withAnimation(Animation::tarnelFast, [&] { ui_.closeGarden(); });
        break;
    case PanelKeyAction::collapse:
        ui_.collapse();
        break;
    case PanelKeyAction::selectTasks:
        selectTab(TarnelUI::Tab::tasks);
        break;
    case PanelKeyAction::selectBonsai:
        selectTab(TarnelUI::Tab::bonsai);
        break;
    case PanelKeyAction::selectFocus:
        selectTab(TarnelUI::Tab::focus);
        break;
    case PanelKeyAction::selectStats:
        selectTab(TarnelUI::Tab::stats);
        break;
    case PanelKeyAction::newTask:
        selectTab(TarnelUI::Tab::tasks);
        withAnimation(Animation::tarnelFast, [&] { ui_.closeDetail(); });
        ui_.requestFocusAdd();
        break;
    case PanelKeyAction::pauseTimer:
        withAnimation(Animation::tarnelFast, [&] { store_.pause(); });
        break;
    case PanelKeyAction::resumeTimer:
        withAnimation(Animation::tarnelFast, [&] { store_.resume(); });
        break;
    default:
        sendToFocusedField(action);
        break;
    }
    return true;
}

bool TarnelController::snapshot(const std::filesystem::path& to) {
    if (!root_) return false;
    return TarnelSnapshot::write(*root_, sizeOf(ui_), ui_.reveal.get().has_value(), files_, to).written;
}

} // namespace vesk
