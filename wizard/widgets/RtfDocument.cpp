#include "RtfDocument.h"

#include "Encoding.h"
#include "Twips.h"
#include "VbError.h"
#include "VbRichTextBox.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace zv {

namespace {

Qt::Alignment alignmentOf(rtf::Align a) {
    switch (a) {
    case rtf::Align::Right:
        return Qt::AlignRight;
    case rtf::Align::Centre:
        return Qt::AlignHCenter;
    case rtf::Align::Justify:
        return Qt::AlignJustify;
    case rtf::Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

double pixels(int twips) {
    return double(twips) / kTwipsPerPixel;
}

QTextBlockFormat blockFormat(const rtf::Paragraph& p) {
    QTextBlockFormat f;
    f.setAlignment(alignmentOf(p.align));
    f.setLeftMargin(pixels(p.leftIndent));
    f.setRightMargin(pixels(p.rightIndent));
    f.setTextIndent(pixels(p.firstIndent));
    f.setTopMargin(pixels(p.spaceBefore));
    f.setBottomMargin(pixels(p.spaceAfter));
    return f;
}

QTextCharFormat charFormat(const rtf::CharFormat& c) {
    QTextCharFormat f;
    if (!c.font.isEmpty()) f.setFontFamilies({c.font});
    if (c.size > 0) f.setFontPointSize(c.size);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strike);
    if (c.colour) f.setForeground(QColor(c.colour->red, c.colour->green, c.colour->blue));
    return f;
}

} // namespace

void fillDocument(const rtf::Document& rtf, QTextDocument& doc) {
    doc.clear();
    QTextCursor cursor(&doc);
    bool first = true;
    for (const rtf::Paragraph& p : rtf.paragraphs) {
        if (first)
            cursor.setBlockFormat(blockFormat(p));
        else
            cursor.insertBlock(blockFormat(p));
        first = false;
        for (const rtf::Run& r : p.runs)
            cursor.insertText(r.text, charFormat(r.format));
    }
}

void loadRichTextFile(const QString& path, QTextDocument& doc) {
    const QFileInfo info(path);
    if (!info.exists()) throw VbError(err::FileNotFound);
    if (!info.isFile()) throw VbError(err::PathFileAccess);
    if (info.size() > rtf::kMaxFileSize) throw VbError(err::OutOfMemory);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw VbError(err::PathFileAccess);
    const QByteArray bytes = f.read(rtf::kMaxFileSize);
    if (rtf::isRtf(bytes)) {
        fillDocument(rtf::parse(bytes), doc);
        return;
    }
    QString text = decodeContent(bytes, detectFormat(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    doc.setPlainText(text);
}

void installRichTextLoader() {
    VbRichTextBox::setFileLoader(&loadRichTextFile);
}

} // namespace zv
