#pragma once
// The rich-text panels' documents: a document read by RtfReader put into a QTextDocument, and
// the file loader of the rich-text boxes (VbRichTextBox::setFileLoader) that reads rich-text
// files through it and shows any other file as plain text.

#include "RtfReader.h"

#include <QString>

class QTextDocument;

namespace zv {

// Fills doc (emptied first) with the paragraphs and runs of rtf. Runs without a font, size or
// colour of their own take the document's default font and text colour. The document's default
// tab width becomes doc's tab stop distance; each paragraph's tab stops, with a stop at the
// left indent of a paragraph whose first line hangs left of it, its block's tab positions.
void fillDocument(const rtf::Document& rtf, QTextDocument& doc);

// Loads a file into doc: a rich-text file through the reader, any other as plain text (UTF-8
// or Windows-1252, as detected). A missing file raises 53, a folder or an unreadable file 75,
// a file larger than the reader's limit 7; doc is left as it was then.
void loadRichTextFile(const QString& path, QTextDocument& doc);

// Makes loadRichTextFile the loader of every rich-text box.
void installRichTextLoader();

} // namespace zv
