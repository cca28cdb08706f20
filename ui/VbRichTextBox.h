#pragma once
// The rich-text box: a text panel with a vertical scroll bar when the text needs one. Its content
// is plain text (Text) or a styled document (setDocument, filled by the rich-text reader);
// LoadFile hands a file to the installed file loader. Locked makes it read-only (the text can
// still be selected and copied). BackColor -1 makes the panel transparent, so the window's
// picture shows behind the text; reading BackColor then gives -1.
//
// The text edit itself is made the first time the panel is shown or its content is read: a wizard
// builds hundreds of hidden panels and shows one at a time. Until then the panel is a plain widget
// that keeps the text or the document loaded, the lock and the colours set on it; the edit, once
// made, sits in the panel's place in the tab order.

#include "VbControl.h"

#include <QPointer>
#include <QTextDocument>
#include <functional>
#include <memory>

class QTextEdit;

namespace zv {

class VbRichTextBox : public VbControl {
public:
    // Fills doc from a file; raises a VbError when the file cannot be read. The default loader
    // shows the file as plain text (UTF-8 or Windows-1252, as detected).
    using FileLoader = std::function<void(const QString& path, QTextDocument& doc)>;

    explicit VbRichTextBox(QWidget* parent);

    ~VbRichTextBox() override;

    // The text edit (made now if it was not yet).
    QTextEdit* textEdit() const;
    // True once the text edit was made.
    bool hasTextEdit() const;
    // The document shown, to fill in place.
    QTextDocument* document() const;
    // Shows doc (the control takes it over); its default font becomes the control's font.
    void setDocument(std::unique_ptr<QTextDocument> doc);

    QString text() const;               // line breaks as LF
    void setText(const QString& text);  // CR LF and CR become LF
    void loadFile(const QString& path); // through the loader; the old content goes first
    bool locked() const;
    void setLocked(bool on);

    qint32 backColor() const override;
    void setBackColor(qint32 color) override;

    // The loader LoadFile uses, for every rich-text box (an empty one restores the default).
    static void setFileLoader(FileLoader loader);
    static void loadPlainTextFile(const QString& path, QTextDocument& doc);

protected:
    void copyFrom(const VbControl& design) override;

private:
    // The members scripts see, built once for the kind.
    static const MemberTable& memberTable();
    // The text edit, made with the state kept so far when it was not made yet.
    QTextEdit* editor() const;
    void makeEditor();
    void setTransparent(bool on);
    bool transparent_ = false;
    // What was set before the edit was made: the text (line feeds already) and the lock.
    QString pendingText_;
    bool pendingLocked_ = false;
    QPointer<QTextDocument> ownDocument_;
    QPointer<QWidget> panel_;
};

} // namespace zv
