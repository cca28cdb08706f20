#include "SampleRun.h"

#include "EventGuard.h"
#include "FicGlb.h"
#include "GlbReg.h"
#include "RegistryStore.h"
#include "TxtGlb.h"
#include "VbCheckBox3D.h"
#include "VbCommandButton.h"
#include "VbLabel.h"
#include "VbOptionButton.h"
#include "ZelOpc.h"
#include "ZelVynGlb.h"
#include "ZelVynMain.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace zvtest {

namespace {

void resetModules() {
    zv::zelVynMainReset();
    zv::zelVynGlbReset();
    zv::ficGlbReset();
    zv::txtGlbReset();
    zv::glbRegReset();
    zv::clearPendingException();
}

// A click where a person clicks a check box or an option: on its box, at the left.
void clickBox(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
}

} // namespace

SampleRun::SampleRun() {
    resetModules();
    ctx->setProgramFolder(temp.path(QStringLiteral("zelvyn")));
    ctx->setRegistryFile(registryFile());
    QDir().mkpath(homeFolder());
    ctx->setHomeFolder(homeFolder());
    zv::ZelVynMainHooks& hooks = zv::zelVynMainState().hooks;
    hooks.newWindow = [this] { return window_ = std::make_shared<zv::ZelVynAsp>(); };
    hooks.attemptFailed = [this](int, int number, const QString& description) {
        failures << QString::number(number) + u' ' + description;
    };
}

SampleRun::~SampleRun() {
    window_.reset();
    resetModules();
}

QString SampleRun::sampleFile(const QString& relative) {
    return QStringLiteral(ZV_SAMPLES "/instalador/") + relative;
}

void SampleRun::seedSerial(const QString& serial) const {
    ASSERT_TRUE(zv::RegistryStore(registryFile())
                    .writeString(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\ZelVyn\\OlaZelVyn"),
                                 QStringLiteral("NumeroSerie"), serial));
}

QStringList SampleRun::filesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QStringList SampleRun::boxTitles() {
    QStringList titles;
    for (const auto& shown : boxes().shown())
        titles << shown.request.title;
    return titles;
}

zv::SupVyn* SampleRun::engine() const {
    return dynamic_cast<zv::SupVyn*>(zv::zelVynMainState().SupVyn.get());
}

bool SampleRun::running() const {
    return window_ && window_->isLoaded() && engine() && !zv::hasPendingException();
}

int SampleRun::controlIndex(const QString& ide) const {
    const auto& table = engine()->controlTable();
    for (int i = 1; i < int(table.size()); ++i)
        if (table[i].Ide.compare(ide, Qt::CaseInsensitive) == 0) return i;
    ADD_FAILURE() << "no control " << ide.toStdString();
    return 0;
}

void SampleRun::act(const QString& step) {
    if (step == u"X") {
        window_->close();
        return;
    }
    const std::pair<const char*, std::shared_ptr<zv::VbCommandButton>> buttons[] = {
        {"ANT", window_->cmAnt()},
        {"SEG", window_->cmSeg()},
        {"CNF", window_->cmCnf()},
        {"CAN", window_->cmCan()}};
    for (const auto& [name, button] : buttons) {
        if (step == QLatin1String(name)) {
            QTest::mouseClick(button->button(), Qt::LeftButton);
            return;
        }
    }
    if (step == u"ACEITO" || step == u"LEIAME") {
        const QString ide =
            step == u"ACEITO" ? QStringLiteral("ckAceito") : QStringLiteral("ckLeiaMe");
        auto box =
            std::dynamic_pointer_cast<zv::VbCheckBox3D>(engine()->control(controlIndex(ide)));
        ASSERT_TRUE(box);
        clickBox(box->checkBox());
        return;
    }
    if (step.startsWith(u"OPC")) {
        auto list = std::dynamic_pointer_cast<zv::ZelOpc>(
            engine()->control(controlIndex(QStringLiteral("opcLingua"))));
        ASSERT_TRUE(list);
        clickBox(list->option(step.mid(3).toInt())->radioButton());
        return;
    }
    ADD_FAILURE() << "unknown step " << step.toStdString();
}

QString SampleRun::buttonsText() const {
    QStringList parts;
    for (const auto& b : {window_->cmAnt(), window_->cmSeg(), window_->cmCnf(), window_->cmCan()}) {
        if (!b->visible())
            parts << QString();
        else
            parts << b->caption() + (b->enabled() ? QString() : QStringLiteral("-"));
    }
    return parts.join(u'|');
}

void SampleRun::noteCaptions(SampleWalk& w) const {
    const zv::SupVyn* e = engine();
    const auto& table = e->controlTable();
    const zv::PagDef& page = e->pageTable()[e->PagAtu];
    for (int i = page.CmpIni; i <= page.CmpFim; ++i) {
        if (table[i].Tip != u"LAB") continue;
        if (auto label = std::dynamic_pointer_cast<zv::VbLabel>(e->control(i)))
            w.captions[table[i].Ide] = label->caption();
    }
}

SampleWalk SampleRun::walk(const QStringList& words, const QStringList& steps) {
    ctx->setArguments(QStringList{temp.path(QStringLiteral("zelvyn/zelvyn")), QStringLiteral("-FP"),
                                  sampleFile()} +
                      words);
    SampleWalk w;
    QTimer::singleShot(0, [&] {
        if (running()) noteCaptions(w);
        for (const QString& step : steps) {
            if (!running()) {
                ADD_FAILURE() << "the run ended before the step " << step.toStdString();
                break;
            }
            act(step);
            if (running()) {
                w.pages << engine()->PagAtu;
                w.buttons << buttonsText();
                noteCaptions(w);
            }
        }
        w.closed = window_ && !window_->isLoaded();
        if (running()) {
            // Left open: the test did not end the run; the close box ends it.
            w.abandoned = true;
            window_->close();
        }
    });
    w.status = zv::PgmRun();
    return w;
}

} // namespace zvtest
