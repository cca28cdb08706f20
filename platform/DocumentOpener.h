#pragma once
// Opening a document with the program the desktop associates with it, and showing a text file
// (a log) in the text viewer. XdgDocumentOpener is the one of the real program; tests install
// HeadlessDocumentOpener, which opens nothing.

#include <QString>

namespace zv {

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;

    // Opens an existing file or folder, or a URL. False when nothing could be started.
    virtual bool open(const QString& target) = 0;
    // Shows an existing text file for reading. False when nothing could be started.
    virtual bool viewText(const QString& file) = 0;
};

} // namespace zv
