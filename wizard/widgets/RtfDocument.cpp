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
#include <QTextOption>

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

QTextOption::TabType tabTypeOf(rtf::TabKind k) {
    switch (k) {
    case rtf::TabKind::Right:
        return QTextOption::RightTab;
    case rtf::TabKind::Centre:
        return QTextOption::CenterTab;
    case rtf::TabKind::Decimal:
        return QTextOption::DelimiterTab;
    case rtf::TabKind::Left:
        break;
    }
    return QTextOption::LeftTab;
}

// The paragraph's tab stops, and for a hanging indent (the first line starting left of the
// others) a stop at the left indent, unless one is there already: a tab after a bullet or a
// number then takes the text to where the lines below it start.
//
// A file measures its stops from the margin; a text layout measures a block's stops from the
// start of each line. They are given from where the first line starts (left indent plus
// first-line indent), the line that holds the tabs of bullets, numbers and columns; stops left
// of it can never be reached and are dropped.
QList<QTextOption::Tab> tabsOf(const rtf::Paragraph& p) {
    const int lineStart = p.leftIndent + p.firstIndent;
    QList<QTextOption::Tab> tabs;
    const auto add = [&](int position, rtf::TabKind kind) {
        if (position <= lineStart) return;
        const QChar delimiter = kind == rtf::TabKind::Decimal ? QChar(u'.') : QChar();
        tabs.append(QTextOption::Tab(pixels(position - lineStart), tabTypeOf(kind), delimiter));
    };
    const bool hanging = p.firstIndent < 0;
    bool indentDone = !hanging;
    for (const rtf::TabStop& t : p.tabs) {
        if (!indentDone && t.position >= p.leftIndent) {
            if (t.position > p.leftIndent) add(p.leftIndent, rtf::TabKind::Left);
            indentDone = true;
        }
        add(t.position, t.kind);
    }
    if (!indentDone) add(p.leftIndent, rtf::TabKind::Left);
    return tabs;
}

QTextBlockFormat blockFormat(const rtf::Paragraph& p) {
    QTextBlockFormat f;
    f.setAlignment(alignmentOf(p.align));
    f.setLeftMargin(pixels(p.leftIndent));
    f.setRightMargin(pixels(p.rightIndent));
    f.setTextIndent(pixels(p.firstIndent));
    f.setTopMargin(pixels(p.spaceBefore));
    f.setBottomMargin(pixels(p.spaceAfter));
    f.setTabPositions(tabsOf(p));
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
    // The default stops every so many twips, past the paragraph's own stops.
    QTextOption option = doc.defaultTextOption();
    option.setTabStopDistance(pixels(rtf.defaultTab));
    doc.setDefaultTextOption(option);
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
