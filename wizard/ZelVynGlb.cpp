// ZelVynGlb: start-up state, the option reader, the drive part of a folder.

#include "ZelVynGlb.h"

#include "FicGlb.h"
#include "GlbMsg.h"
#include "GlbReg.h"
#include "ModuleState.h"
#include "MountTable.h"
#include "ProcessContext.h"
#include "TdaOpc.h"
#include "TxtGlb.h"
#include "VbError.h"

#include <QStringList>
#include <cstdio>

namespace zv {

ZelVynGlbState::ZelVynGlbState() = default;
ZelVynGlbState::~ZelVynGlbState() = default;
ZelVynGlbState::ZelVynGlbState(ZelVynGlbState&&) noexcept = default;
ZelVynGlbState& ZelVynGlbState::operator=(ZelVynGlbState&&) noexcept = default;

ZelVynGlbState& zelVynGlbState() {
    return moduleState<ZelVynGlbState>();
}

void zelVynGlbReset() {
    resetModuleState<ZelVynGlbState>();
}

TdaOpc& optionReader() {
    std::unique_ptr<TdaOpc>& reader = zelVynGlbState().optionReader;
    if (!reader) reader = std::make_unique<TdaOpc>();
    return *reader;
}

void optionReaderRelease() {
    zelVynGlbState().optionReader.reset();
}

void GlbIni() {
    zelVynGlbState().regRoot = Variant(int32_t(kHkeyLocalMachine));
}

void FicDirDiv(const QString& folder, QString& letter, QString& drive) {
    // The drive letter, or the server and share part of a network path ("//srv/share" also
    // when the folder is the share itself).
    QString rest;
    FicUniSep(folder, letter, rest);
    if (letter.isEmpty() && folder.startsWith(u'/')) {
        // A path of this system: its drive is the mounted file system that holds it.
        letter = mountPointOf(readMountTable(ProcessContext::current().mountTableFile()), folder);
    }
    DrvNor(letter, drive);
}

void DrvNor(const QString& letter, QString& drive) {
    const bool driveLetter = letter.size() == 1 && ((letter[0] >= u'A' && letter[0] <= u'Z') ||
                                                    (letter[0] >= u'a' && letter[0] <= u'z'));
    drive = driveLetter ? letter + u':' : letter;
}

void debugFoldersApply(const QString& letter, const QString& folder) {
    ZelVynGlbState& s = zelVynGlbState();
    s.LtrCd = letter;
    s.DirPgm = folder;
    DrvNor(s.LtrCd, s.DrvCd);
}

void writeErrorLine(const QString& text) {
    const QStringList parts = text.split(u'|', Qt::SkipEmptyParts);
    const QString line = QStringLiteral("zelvyn: ") + parts.join(u' ') + u'\n';
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

void FpaErr(const QString& text, const QString& path) {
    QString message = text;
    TxJun(message, QStringLiteral("||Ficheiro: "), Variant(path));
    writeErrorLine(message);
    MsgErr(QStringLiteral("Vynnard"), message);
    throw ProgramEnd(1);
}

} // namespace zv
