// ZelVynMain: the start routine, its attempts and the component installer.

#include "ZelVynMain.h"

#include "Convert.h"
#include "FicGlb.h"
#include "GlbMsg.h"
#include "ModuleState.h"
#include "ProcessContext.h"
#include "SupVyn.h"
#include "TxtGlb.h"
#include "VbError.h"
#include "ZelVynGlb.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

namespace zv {

namespace {

void writeAttemptFailure(int attempt, int number, const QString& description) {
    writeErrorLine(QStringLiteral("a tentativa %1 de iniciar o assistente falhou: erro %2: %3")
                       .arg(attempt)
                       .arg(number)
                       .arg(description));
}

// Why the definition file cannot be read, from what FicExi answered for it (0 or an error
// number made negative).
QString unreadableDefinition(const QString& path, int found) {
    const int number = -found;
    if (found == 0 || number == err::FileNotFound || number == err::PathNotFound)
        return QStringLiteral("Não foi encontrado o ficheiro de opções.");
    const QString cannot = QStringLiteral("Não é possível ler o ficheiro de opções: ");
    if (number == err::PathFileAccess && QFileInfo(path).isDir())
        return cannot + QStringLiteral("é uma pasta.");
    if (number == err::PermissionDenied)
        return cannot + QStringLiteral("não tem permissão para o ler.");
    return cannot + QStringLiteral("erro %1 (%2).").arg(number).arg(vbErrorText(number));
}

std::shared_ptr<VynEngine> newSupVyn() {
    return std::make_shared<SupVyn>();
}

} // namespace

ZelVynMainState::ZelVynMainState() {
    hooks.newEngine = newSupVyn;
    hooks.attemptFailed = writeAttemptFailure;
}

ZelVynMainState& zelVynMainState() {
    return moduleState<ZelVynMainState>();
}

void zelVynMainReset() {
    resetModuleState<ZelVynMainState>();
}

int PgmRun() {
    // Whatever way the routine ends, the engine goes while the windows it holds can still be
    // destroyed (before the application object).
    struct Release {
        ~Release() { zelVynMainState().SupVyn.reset(); }
    } release;
    try {
        PgmIni();
    } catch (const ProgramEnd& end) {
        return end.exitCode();
    }
    return 0;
}

void PgmIni() {
    GlbIni();
    FunIni();
    FpaLoc();

    std::shared_ptr<WizardWindow> form;
    int attempt = 0;
    int ok = 0;
    do {
        ++attempt;
        zelVynMainState().attempt = attempt;
        AspIni(form, ok);
        if (ok != 1) {
            // The first failure starts the installer at once; later ones ask first.
            if (attempt == 1)
                ok = 1;
            else
                InsPer(ok);
            if (ok == 1) {
                int result = 0;
                InsExe(result);
                ok = 0;
            }
        }
    } while (ok == 0);

    AspFim(form);
    FunFim();
    zelVynMainState().SupVyn.reset();
    // The person declined to try again: the wizard never ran to its end.
    if (ok != 1) throw ProgramEnd(1);
}

void FunIni() {
    const ZelVynMainHooks& hooks = zelVynMainState().hooks;
    vbTrap([&] {
        if (hooks.showBackground) hooks.showBackground();
    });
    vbTrap([&] { ProcessContext::current().pump().pump(); });
}

void FunFim() {
    const ZelVynMainHooks& hooks = zelVynMainState().hooks;
    vbTrap([&] {
        if (hooks.unloadBackground) hooks.unloadBackground();
    });
}

void FpaLoc() {
    FicSepIni(QString());
    QString path;
    int found = 0;
    FpaNom(path, found);
    if (found != 1) FpaErr(unreadableDefinition(path, found), path);
    // A path relative to the current folder is made whole, so that DirPgm is the definition's
    // folder (and not "", which the definition would read as the root).
    if (!path.startsWith(u'/') && QDir::isRelativePath(path))
        path = QDir::currentPath() + u'/' + path;

    QString folder, name, letter, drive;
    FicDirNom(path, folder, name);
    FicDirDiv(folder, letter, drive);
    ZelVynGlbState& s = zelVynGlbState();
    s.VynFpa = path;
    s.LtrCd = letter;
    s.DrvCd = drive;
    s.DirPgm = folder;
}

void FpaNom(QString& path, int& found) {
    const ProcessContext& context = ProcessContext::current();
    // The words as the program received them: a path holding blanks stays one word.
    int count = 0;
    ArgIni(ArgPgm(), count);
    Variant word{QString()};
    ArgCon(QStringLiteral("M"), QStringLiteral("-FP"), word, Variant(QString()));
    path = toText(word);
    if (path.isEmpty()) path = FicPathJun(context.programFolder(), QStringLiteral("ZelVyn.par"));
    FicExi(path, found);
}

void AspIni(std::shared_ptr<WizardWindow>& form, int& ok) {
    ZelVynMainState& s = zelVynMainState();
    const auto fail = [&](int number, const QString& description) {
        ok = 0;
        // The engine first (it holds the window), then the window: both are made anew by the
        // next attempt. The window goes without its unload event: nothing of a failed run
        // runs on.
        s.SupVyn.reset();
        form.reset();
        if (s.hooks.attemptFailed) s.hooks.attemptFailed(s.attempt, number, description);
    };
    ok = 1;
    try {
        form.reset();
        if (s.hooks.newWindow) form = s.hooks.newWindow();
        if (!form) throw VbError(err::CannotCreateObject);
        form->loadWindow();
        if (!s.SupVyn && s.hooks.newEngine) s.SupVyn = s.hooks.newEngine();
        if (!s.SupVyn) throw VbError(err::CannotCreateObject);
        s.SupVyn->RegFrm(form);
        s.SupVyn->VynIni(zelVynGlbState().VynFpa);
        s.SupVyn->VynExe();
    } catch (const VbError& e) {
        fail(e.number(), e.description());
    } catch (const std::exception& e) {
        // A failure that is no run-time error counts as the language's "Internal error".
        fail(err::InternalError, QString::fromLocal8Bit(e.what()));
    }
}

void AspFim(std::shared_ptr<WizardWindow>& form) {
    if (form) vbTrap([&] { form->unloadWindow(); });
    form.reset();
}

void InsPer(int& answer) {
    int reply = 0;
    MsgCnf(QStringLiteral("ZelVyn"),
           QStringLiteral("Ocorreu um erro a iniciar o programa") +
               QStringLiteral("||Provavelmente falta instalar componentes") +
               QStringLiteral("|Instalar ?"),
           reply);
    answer = reply == 1 ? 1 : -1;
}

void InsExe(int& result) {
    // The installer lives beside the program (not beside the definition); the path is quoted
    // so that a folder with blanks stays one word.
    const QString installer =
        FicPathJun(ProcessContext::current().programFolder(), QStringLiteral("Rudex.exe"));
    result = CInt(PgmExeEsp(u'"' + installer + u'"', Variant(int16_t(-1))));
}

} // namespace zv
