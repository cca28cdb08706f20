#include "VbForm.h"

#include "BusyGuard.h"
#include "EventGuard.h"
#include "Text.h"
#include "Twips.h"
#include "VbColor.h"
#include "VbControl.h"
#include "VbControlArray.h"
#include "VbFormObject.h"
#include "VbPicture.h"
#include "WindowHandles.h"

#include <QCloseEvent>
#include <QPainter>
#include <QShowEvent>
#include <cmath>

namespace zv {

namespace {

constexpr int kMaxElement = 32767;

int framePixelsX() {
    return twipsToPixels(VbForm::kFrameWidthTwips);
}
int framePixelsY() {
    return twipsToPixels(VbForm::kFrameHeightTwips);
}

// Sets a role of the widget's palette to a colour of the language (checked first; a colour
// with no QColor changes nothing).
void setPaletteColour(QWidget& w, QPalette::ColorRole role, qint32 color) {
    checkVbColor(color);
    if (auto c = vbColorToQColor(color)) {
        QPalette p = w.palette();
        p.setColor(role, *c);
        w.setPalette(p);
    }
}

std::vector<QPointer<VbForm>>& formList() {
    static std::vector<QPointer<VbForm>> list;
    return list;
}

VbError noSuchElement(int index) {
    return err::NoSuchControlElement(QString::number(index));
}

} // namespace

VbForm::VbForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAutoFillBackground(true);
    formList().push_back(this);
}

std::vector<QPointer<VbForm>> VbForm::forms() {
    std::erase_if(formList(), [](const QPointer<VbForm>& f) { return f.isNull(); });
    return formList();
}

VbForm::~VbForm() {
    std::erase_if(formList(),
                  [this](const QPointer<VbForm>& f) { return f.isNull() || f == this; });
    // No hook runs here: a form released after the program's End must not run its unload code.
    if (modalLoop_) modalLoop_->exit(0);
    entries_.clear();
}

// ---- geometry ----

double VbForm::left() const {
    return pixelsToTwips(pos().x());
}
double VbForm::top() const {
    return pixelsToTwips(pos().y());
}
double VbForm::width() const {
    return pixelsToTwips(QWidget::width() + framePixelsX());
}
double VbForm::height() const {
    return pixelsToTwips(QWidget::height() + framePixelsY());
}
double VbForm::clientWidth() const {
    return pixelsToTwips(QWidget::width());
}
double VbForm::clientHeight() const {
    return pixelsToTwips(QWidget::height());
}

void VbForm::setLeft(double twips) {
    QWidget::move(twipsToPixels(checkedPosition(twips)), pos().y());
}
void VbForm::setTop(double twips) {
    QWidget::move(pos().x(), twipsToPixels(checkedPosition(twips)));
}

void VbForm::applyClientSize(int widthPx, int heightPx) {
    widthPx = std::max(0, widthPx);
    heightPx = std::max(0, heightPx);
    // A fixed-size window keeps being fixed, at its new size.
    if (minimumSize() == maximumSize())
        setFixedSize(widthPx, heightPx);
    else
        resize(widthPx, heightPx);
}

void VbForm::setWidth(double twips) {
    applyClientSize(twipsToPixels(checkedLength(twips)) - framePixelsX(), QWidget::height());
}

void VbForm::setHeight(double twips) {
    applyClientSize(QWidget::width(), twipsToPixels(checkedLength(twips)) - framePixelsY());
}

void VbForm::setClientSize(double widthTwips, double heightTwips) {
    applyClientSize(twipsToPixels(checkedLength(widthTwips)),
                    twipsToPixels(checkedLength(heightTwips)));
}

void VbForm::move(double left, std::optional<double> top, std::optional<double> width,
                  std::optional<double> height) {
    const int x = twipsToPixels(checkedPosition(left));
    const int y = top ? twipsToPixels(checkedPosition(*top)) : pos().y();
    const int cx = width ? twipsToPixels(checkedLength(*width)) - framePixelsX() : QWidget::width();
    const int cy =
        height ? twipsToPixels(checkedLength(*height)) - framePixelsY() : QWidget::height();
    QWidget::move(x, y);
    applyClientSize(cx, cy);
}

int VbForm::vbWindowState() const {
    const Qt::WindowStates s = windowState();
    if (s & Qt::WindowMinimized) return 1;
    if (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) return 2;
    return 0;
}

void VbForm::setVbWindowState(int state) {
    switch (state) {
    case 0:
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        break;
    case 1:
        setWindowState((windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized);
        break;
    case 2:
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        break;
    default:
        throw VbError(err::InvalidPropertyValue);
    }
}

// ---- colours and pictures ----

qint32 VbForm::backColor() const {
    return qColorToVb(palette().color(QPalette::Window));
}
qint32 VbForm::foreColor() const {
    return qColorToVb(palette().color(QPalette::WindowText));
}

void VbForm::setBackColor(qint32 color) {
    setPaletteColour(*this, QPalette::Window, color);
}

void VbForm::setForeColor(qint32 color) {
    setPaletteColour(*this, QPalette::WindowText, color);
}

bool VbForm::setPicture(const QString& path) {
    return showPictureFile(path, [this](const QPixmap& p, const QString& f) { setPicture(p, f); });
}

void VbForm::setPicture(const QPixmap& picture, const QString& path) {
    picture_ = picture;
    picturePath_ = path;
    update();
}

void VbForm::clearPicture() {
    setPicture(QPixmap());
}

bool VbForm::setIcon(const QString& path) {
    auto icon = loadIconFile(path);
    if (!icon) return false;
    setWindowIcon(*icon);
    iconPath_ = path;
    return true;
}

void VbForm::drawInto(const QPixmap& pixels, const QPoint& at) {
    if (picture_.isNull()) {
        picture_ = QPixmap(size());
        picture_.fill(palette().color(QPalette::Window));
    }
    QPainter painter(&picture_);
    painter.drawPixmap(at, pixels);
    painter.end();
    update();
}

void VbForm::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

// ---- life ----

void VbForm::load() {
    if (loaded_) return;
    loaded_ = true;
    onLoad();
}

void VbForm::showForm() {
    load();
    if (!loaded_) return; // unloaded by its own load hook
    show();
    raise();
    activateWindow();
}

void VbForm::showModal() {
    rethrowPendingException();
    if (modalLoop_) throw err::FormAlreadyShown();
    load();
    if (!loaded_) return;
    // Modality can only change while the window is hidden.
    const bool wasVisible = isVisible();
    if (wasVisible) hide();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    if (loaded_ && !isHidden() && !hasPendingException()) {
        QEventLoop loop;
        ModalLoopScope scope(loop);
        modalLoop_ = &loop;
        loop.exec(QEventLoop::DialogExec);
        modalLoop_ = nullptr;
    }
    if (!isHidden()) hide(); // a kept exception ended the run: the window goes with it
    setWindowModality(Qt::NonModal);
    rethrowPendingException();
}

bool VbForm::unload(UnloadMode mode) {
    if (!loaded_) {
        hide();
        return true;
    }
    if (unloading_) return true;
    if (!onQueryUnload(mode)) return false;
    unloading_ = true;
    try {
        onUnload();
    } catch (...) {
        finishUnload();
        throw;
    }
    finishUnload();
    return true;
}

void VbForm::finishUnload() {
    loaded_ = false;
    unloading_ = false;
    hide();
    if (modalLoop_) modalLoop_->exit(0);
}

void VbForm::abandon() {
    loaded_ = false;
    hide();
    if (modalLoop_) modalLoop_->exit(0);
}

bool VbForm::acceptsInput() const {
    return !inputGuard_ || clickAllowed();
}

void VbForm::closeEvent(QCloseEvent* e) {
    if (!loaded_) {
        e->accept();
        return;
    }
    if (!acceptsInput()) {
        e->ignore();
        return;
    }
    runGuarded([this] { unload(UnloadMode::CloseBox); });
    if (loaded_)
        e->ignore();
    else
        e->accept();
}

bool VbForm::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) runGuarded([this] { onActivate(); });
    return QWidget::event(e);
}

void VbForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Showing a form loads it, however it was shown.
    if (!loaded_ && !e->spontaneous()) runGuarded([this] { load(); });
}

void VbForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    runGuarded([this] { onResize(); });
}

WindowHandle VbForm::hwnd() {
    return windowHandleOf(this);
}

DispatchPtr VbForm::object() {
    if (!object_) object_ = std::make_shared<VbFormObject>(this);
    return object_;
}

// ---- controls ----

VbForm::Entry* VbForm::entry(const QString& name) {
    auto it = entries_.find(UCase(name.trimmed()));
    return it == entries_.end() ? nullptr : &it->second;
}

const VbForm::Entry* VbForm::entry(const QString& name) const {
    auto it = entries_.find(UCase(name.trimmed()));
    return it == entries_.end() ? nullptr : &it->second;
}

std::shared_ptr<VbControl> VbForm::makeElement(Entry& e, int index) {
    const auto container = e.container.lock();
    QWidget* parent = container ? container->widget() : this;
    if (!parent) throw err::ObjectUnloaded();
    std::shared_ptr<VbControl> control = e.factory(parent);
    control->attach(this, e.name, index, e.container);
    order_.push_back(control);
    return control;
}

std::shared_ptr<VbControl> VbForm::addEntry(const QString& name,
                                            const std::shared_ptr<VbControl>& container, bool array,
                                            Factory factory) {
    const QString key = UCase(name.trimmed());
    if (key.isEmpty() || entries_.count(key)) throw err::NameInUse(name);
    Entry& e = entries_[key];
    e.name = name.trimmed();
    e.array = array;
    e.factory = std::move(factory);
    e.container = container;
    try {
        auto control = makeElement(e, array ? 0 : -1);
        e.elements.emplace(array ? 0 : -1, control);
        return control;
    } catch (...) {
        entries_.erase(key);
        throw;
    }
}

std::shared_ptr<VbControl> VbForm::loadElement(const QString& name, int index) {
    Entry* e = entry(name);
    if (!e || !e->array) throw err::NotAnArray();
    if (index < 0 || index > kMaxElement) throw noSuchElement(index);
    if (e->elements.count(index)) throw err::AlreadyLoaded();
    auto design = e->elements.begin()->second; // the lowest element: 0 unless it is gone
    auto control = makeElement(*e, index);
    if (design && design->isAlive()) control->copyFrom(*design);
    control->setVisible(false);
    // On top of its siblings. A new widget is already the last of them, and then raise would
    // only search the whole list (thousands of controls on a wizard's window) to find nothing to
    // do; it still runs when the widget must also be created to join a window already made.
    // (The widget itself, not widget(): its size does not matter here, and a fit it owes can
    // wait until it is shown.)
    QWidget* w = control->widget_.data();
    const QWidget* parent = w->parentWidget();
    const bool onTop =
        parent && parent->children().constLast() == w &&
        (w->testAttribute(Qt::WA_WState_Created) || !parent->testAttribute(Qt::WA_WState_Created));
    if (!onTop) w->raise();
    e->elements.emplace(index, control);
    return control;
}

void VbForm::unloadElement(const QString& name, int index) {
    Entry* e = entry(name);
    if (!e || !e->array) throw err::NotAnArray();
    auto it = e->elements.find(index);
    if (it == e->elements.end()) throw noSuchElement(index);
    if (index == 0) throw err::DesignTimeControl();
    std::shared_ptr<VbControl> control = it->second;
    e->elements.erase(it);
    control->release();
    std::erase_if(order_, [&](const std::weak_ptr<VbControl>& w) {
        auto c = w.lock();
        return !c || c == control;
    });
}

std::shared_ptr<VbControl> VbForm::control(const QString& name, int index) const {
    const Entry* e = entry(name);
    if (!e) return nullptr;
    auto it = e->elements.find(e->array ? index : -1);
    if (it == e->elements.end() || (!e->array && index >= 0)) return nullptr;
    return it->second;
}

bool VbForm::isArray(const QString& name) const {
    const Entry* e = entry(name);
    return e && e->array;
}

std::map<int, std::shared_ptr<VbControl>> VbForm::elements(const QString& name) const {
    const Entry* e = entry(name);
    if (!e || !e->array) return {};
    return e->elements;
}

std::shared_ptr<VbControlArray> VbForm::controlArray(const QString& name) {
    const Entry* e = entry(name);
    if (!e || !e->array) return nullptr;
    const QString key = UCase(name.trimmed());
    auto& object = arrayObjects_[key];
    if (!object) object = std::make_shared<VbControlArray>(this, e->name);
    return object;
}

std::vector<std::shared_ptr<VbControl>> VbForm::controls() const {
    std::vector<std::shared_ptr<VbControl>> all;
    for (const auto& weak : order_) {
        auto c = weak.lock();
        if (!c || !c->isAlive()) continue;
        const Entry* e = entry(c->name());
        if (!e) continue;
        auto it = e->elements.find(c->index());
        if (it != e->elements.end() && it->second == c) all.push_back(c);
    }
    return all;
}

} // namespace zv
