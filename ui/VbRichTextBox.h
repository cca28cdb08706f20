#pragma once
// The rich-text box: a text panel with a vertical scroll bar when the text needs one. Its content
// is plain text (Text) or a styled document (setDocument, filled by the rich-text reader);
// LoadFile hands a file to the installed file loader. Locked makes it read-only (the text can
// still be selected and copied). BackColor -1 makes the panel transparent, so the window's
// picture shows behind the text; reading BackColor then gives -1.

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

    QTextEdit* textEdit() const;
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
    void setTransparent(bool on);
    bool transparent_ = false;
    QPointer<QTextDocument> ownDocument_;
};

} // namespace zv
