#include "ParamWriter.h"

#include "LineReader.h"
#include "ParamLine.h"
#include "VbError.h"

#include <cerrno>
#include <sys/stat.h>

namespace zv {

PathKind pathKind(const QString& path) {
    struct stat st {};
    if (::stat(file::nativeName(path).constData(), &st) != 0) return PathKind::Missing;
    return S_ISREG(st.st_mode) ? PathKind::Regular : PathKind::Other;
}

int ParamWriter::open(const TextFormat* format) {
    if (!file::validName(target_)) {
        fail(err::BadFileNameOrNumber);
        return error_;
    }
    const PathKind kind = pathKind(target_);
    if (kind == PathKind::Other) {
        fail(err::PathFileAccess);
        return error_;
    }
    if (format) {
        format_ = *format;
    } else if (kind == PathKind::Regular) {
        QByteArray old;
        if (file::readFile(target_, old) == 0) format_ = detectFormat(old);
    }
    // A new file ends with a line end whatever the one it replaces did.
    if (!format) format_.endsWithNewline = true;
    if (const int e = out_.open()) {
        fail(file::errorNumber(e, target_));
        return error_;
    }
    if (format_.bom) writeBytes(QByteArray("\xEF\xBB\xBF", 3));
    return error_;
}

void ParamWriter::fail(int number) {
    if (error_ == 0) error_ = number;
}

void ParamWriter::writeBytes(const QByteArray& bytes) {
    if (error_) return;
    if (const int e = out_.write(bytes)) fail(file::errorNumber(e, target_));
}

void ParamWriter::line(const QString& text) {
    const QStringList parts = text.isEmpty() ? QStringList{QString()} : splitLines(text);
    for (const QString& part : parts) {
        if (error_) return;
        bool lost = false;
        QByteArray bytes;
        if (lineEndDue_) bytes = encodeText(lineEndText(format_.lineEnd), format_.encoding);
        bytes += encodeText(part, format_.encoding, &lost);
        if (lost) {
            fail(err::InvalidCall);
            return;
        }
        writeBytes(bytes);
        lineEndDue_ = true;

        // The escapes that the reader applies to what follows: a zone header's options set
        // them, a zone end turns them back on.
        QString type, key;
        parline::ParTpp(part, type, key);
        if (type == u"#") {
            LineReader reader;
            QString name, zoneType, description;
            parline::parseZoneHeader(part, true, name, zoneType, description);
            int found = 0;
            reader.useZoneOptions(description, found);
            escapeFlag_ = reader.escapeFlag();
        } else if (type == u"##") {
            escapeFlag_ = 1;
        }
    }
}

int ParamWriter::close() {
    if (lineEndDue_ && format_.endsWithNewline)
        writeBytes(encodeText(lineEndText(format_.lineEnd), format_.encoding));
    if (error_) {
        out_.abandon();
        return error_;
    }
    if (const int e = out_.commit()) fail(file::errorNumber(e, target_));
    return error_;
}

} // namespace zv
