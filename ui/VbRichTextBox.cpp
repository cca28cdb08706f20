#include "VbRichTextBox.h"

#include "Convert.h"
#include "Encoding.h"
#include "VbColor.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <QTextEdit>
#include <functional>

namespace zv {

namespace {

VbRichTextBox::FileLoader& fileLoader() {
    static VbRichTextBox::FileLoader loader;
    return loader;
}

QString lineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// The panel's widget: the text edit is its one child, made when the panel is first shown and
// kept the panel's size.
class PanelWidget : public QWidget {
public:
    explicit PanelWidget(QWidget* parent) : QWidget(parent) {}
    QTextEdit* editor = nullptr;
    QPointer<QTextDocument> keptDocument; // a document set before the edit was made
    std::function<void()> shown;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::Show && !editor && shown) shown();
        return QWidget::event(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        if (editor) editor->setGeometry(rect());
        QWidget::resizeEvent(e);
    }
    void changeEvent(QEvent* e) override {
        // A document kept for the edit follows the font, as the edit's own document does.
        if (e->type() == QEvent::FontChange && !editor && keptDocument)
            keptDocument->setDefaultFont(font());
        QWidget::changeEvent(e);
    }
};

// The panel's text edit if it was made.
QTextEdit* madeEditor(QWidget* panel) {
    return panel ? static_cast<PanelWidget*>(panel)->editor : nullptr;
}

} // namespace

const MemberTable& VbRichTextBox::memberTable() {
    static const MemberTable table = controlTable(
        QStringLiteral("RichTextBox"), kPosition | kEnabled | kFont | kBackColor | kHwnd,
        [](MemberTable& t) {
            Members<VbRichTextBox>(t)
                .property<QString>(QStringLiteral("Text"), &VbRichTextBox::text,
                                   &VbRichTextBox::setText)
                .defaultMember(QStringLiteral("Text"))
                .property<bool>(QStringLiteral("Locked"), &VbRichTextBox::locked,
                                &VbRichTextBox::setLocked)
                .methodWithArgs(QStringLiteral("LoadFile"), [](VbRichTextBox& r, Args a) {
                    checkArgCount(a, 1,
                                  2); // the file type argument is accepted; the loader decides
                    r.loadFile(CStr(*a[0]));
                    return Variant();
                });
        });
    return table;
}

VbRichTextBox::VbRichTextBox(QWidget* parent) : VbControl(memberTable(), new PanelWidget(parent)) {
    auto* panel = static_cast<PanelWidget*>(widget());
    panel_ = panel;
    panel->shown = [this] {
        if (isAlive()) makeEditor();
    };
    setColorRoles(QPalette::Base, {QPalette::Text});
}

VbRichTextBox::~VbRichTextBox() {
    // An unloaded panel's widget may outlive the control until it is deleted.
    if (panel_) static_cast<PanelWidget*>(panel_.data())->shown = nullptr;
}

QTextEdit* VbRichTextBox::editor() const {
    auto* panel = static_cast<PanelWidget*>(liveWidget());
    if (!panel->editor) const_cast<VbRichTextBox*>(this)->makeEditor();
    return panel->editor;
}

void VbRichTextBox::makeEditor() {
    auto* panel = static_cast<PanelWidget*>(liveWidget());
    if (panel->editor) return;
    auto* e = new QTextEdit(panel);
    panel->editor = e;
    e->setAcceptRichText(false);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->setLineWrapMode(QTextEdit::WidgetWidth);
    e->setGeometry(panel->rect());
    e->setReadOnly(pendingLocked_);
    panel->keptDocument = nullptr;
    if (ownDocument_) {
        ownDocument_->setParent(e);
        e->setDocument(ownDocument_);
    } else if (!pendingText_.isEmpty()) {
        e->setPlainText(pendingText_);
    }
    pendingText_.clear();
    setTransparent(transparent_);
    // Made last, the edit would come last in the tab order: it takes the panel's place there.
    panel->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(panel, e);
    panel->setFocusPolicy(Qt::NoFocus);
    panel->setFocusProxy(e);
    e->show();
}

QTextEdit* VbRichTextBox::textEdit() const {
    return isAlive() ? editor() : nullptr;
}
bool VbRichTextBox::hasTextEdit() const {
    return madeEditor(widget()) != nullptr;
}
QTextDocument* VbRichTextBox::document() const {
    return editor()->document();
}

void VbRichTextBox::setDocument(std::unique_ptr<QTextDocument> doc) {
    QWidget* panel = liveWidget();
    if (!doc) doc = std::make_unique<QTextDocument>();
    // The first document belongs to the edit and goes with the change; later ones are ours.
    QPointer<QTextDocument> previous = ownDocument_;
    QTextEdit* e = madeEditor(panel);
    doc->setDefaultFont(e ? e->font() : panel->font());
    ownDocument_ = doc.get();
    if (e) {
        doc->setParent(e);
        e->setDocument(doc.release());
    } else {
        // Kept for the edit, which shows it when it is made.
        static_cast<PanelWidget*>(panel)->keptDocument = doc.get();
        doc.release()->setParent(panel);
        pendingText_.clear();
    }
    if (previous && previous != ownDocument_) previous->deleteLater();
}

QString VbRichTextBox::text() const {
    return editor()->toPlainText();
}
void VbRichTextBox::setText(const QString& text) {
    liveWidget();
    if (!hasTextEdit() && !ownDocument_)
        pendingText_ = lineFeeds(text);
    else
        editor()->setPlainText(lineFeeds(text));
}
bool VbRichTextBox::locked() const {
    liveWidget();
    return hasTextEdit() ? editor()->isReadOnly() : pendingLocked_;
}
void VbRichTextBox::setLocked(bool on) {
    liveWidget();
    pendingLocked_ = on;
    if (hasTextEdit()) editor()->setReadOnly(on);
}

void VbRichTextBox::loadFile(const QString& path) {
    QWidget* panel = liveWidget();
    QTextEdit* e = madeEditor(panel);
    if (e)
        e->clear();
    else if (ownDocument_)
        ownDocument_->clear();
    else
        pendingText_.clear();
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(e ? e->font() : panel->font());
    if (fileLoader())
        fileLoader()(path, *doc);
    else
        loadPlainTextFile(path, *doc);
    setDocument(std::move(doc));
}

void VbRichTextBox::setFileLoader(FileLoader loader) {
    fileLoader() = std::move(loader);
}

void VbRichTextBox::loadPlainTextFile(const QString& path, QTextDocument& doc) {
    if (!QFileInfo(path).isFile()) throw VbError(err::FileNotFound);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw VbError(err::PathFileAccess);
    const QByteArray bytes = f.readAll();
    doc.setPlainText(lineFeeds(decodeContent(bytes, detectFormat(bytes))));
}

qint32 VbRichTextBox::backColor() const {
    liveWidget();
    return transparent_ ? kNoColor : VbControl::backColor();
}

void VbRichTextBox::setBackColor(qint32 color) {
    liveWidget();
    if (color == kNoColor) {
        setTransparent(true);
        return;
    }
    VbControl::setBackColor(color);
    setTransparent(false);
}

void VbRichTextBox::setTransparent(bool on) {
    QWidget* panel = liveWidget();
    transparent_ = on;
    panel->setAutoFillBackground(false);
    QTextEdit* e = madeEditor(panel);
    if (!e) return; // the edit takes it when it is made
    QWidget* view = e->viewport();
    if (on) {
        QPalette p = view->palette();
        p.setColor(QPalette::Base, Qt::transparent);
        view->setPalette(p);
        view->setAutoFillBackground(false);
    } else {
        view->setPalette(e->palette());
        view->setAutoFillBackground(true);
    }
    e->setAutoFillBackground(false);
}

void VbRichTextBox::copyFrom(const VbControl& design) {
    VbControl::copyFrom(design);
    const auto* d = dynamic_cast<const VbRichTextBox*>(&design);
    if (!d) return;
    setLocked(d->locked());
    // A new element's document is already empty: an empty design text has nothing to replace
    // (replacing it would only lay out the empty document again).
    const QString text = d->text();
    const bool hasContent = hasTextEdit() ? !document()->isEmpty() : !ownDocument_.isNull();
    if (!text.isEmpty() || hasContent) setText(text);
    setTransparent(d->transparent_);
}

} // namespace zv
