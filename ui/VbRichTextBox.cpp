#include "VbRichTextBox.h"

#include "Convert.h"
#include "Encoding.h"
#include "VbColor.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>
#include <QTextEdit>

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

VbRichTextBox::VbRichTextBox(QWidget* parent) : VbControl(memberTable(), new QTextEdit(parent)) {
    auto* e = static_cast<QTextEdit*>(widget());
    e->setAcceptRichText(false);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->setLineWrapMode(QTextEdit::WidgetWidth);
    setColorRoles(QPalette::Base, {QPalette::Text});
}

QTextEdit* VbRichTextBox::textEdit() const {
    return static_cast<QTextEdit*>(widget());
}
QTextDocument* VbRichTextBox::document() const {
    return live<QTextEdit>()->document();
}

void VbRichTextBox::setDocument(std::unique_ptr<QTextDocument> doc) {
    QTextEdit* e = live<QTextEdit>();
    if (!doc) doc = std::make_unique<QTextDocument>();
    // The first document belongs to the edit and goes with the change; later ones are ours.
    QPointer<QTextDocument> previous = ownDocument_;
    doc->setDefaultFont(e->font());
    doc->setParent(e);
    ownDocument_ = doc.get();
    e->setDocument(doc.release());
    if (previous && previous != ownDocument_) previous->deleteLater();
}

QString VbRichTextBox::text() const {
    return live<QTextEdit>()->toPlainText();
}
void VbRichTextBox::setText(const QString& text) {
    live<QTextEdit>()->setPlainText(lineFeeds(text));
}
bool VbRichTextBox::locked() const {
    return live<QTextEdit>()->isReadOnly();
}
void VbRichTextBox::setLocked(bool on) {
    live<QTextEdit>()->setReadOnly(on);
}

void VbRichTextBox::loadFile(const QString& path) {
    QTextEdit* e = live<QTextEdit>();
    e->clear();
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(e->font());
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
    QTextEdit* e = live<QTextEdit>();
    transparent_ = on;
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
    if (!text.isEmpty() || !document()->isEmpty()) setText(text);
    setTransparent(d->transparent_);
}

} // namespace zv
