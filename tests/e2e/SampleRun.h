#pragma once
// Runs the sample wizard of samples/instalador as the program does (its start routine with
// "-FP", the name=value words, the real engine and window, offscreen) and drives it as a person
// would: each step clicks a button, the close box, the licence check box, the "open the
// README" check box or one of the language options, with QTest. Message boxes are answered by
// the headless service; the registry store, the home folder and the program's folder are in a
// temporary folder of the test.

#include "ScopedProcessContext.h"
#include "SupVyn.h"
#include "TestSupport.h"
#include "ZelVynAsp.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace zvtest {

// What a walk through the sample saw.
struct SampleWalk {
    int status = -1;        // the start routine's exit status
    QList<int> pages;       // the page after each step that left the run going
    QStringList buttons;    // the buttons after each such step (see SampleRun::buttonsText)
    bool closed = false;    // the steps unloaded the window (its "FxFim" ran)
    bool abandoned = false; // the steps ran out with the window still open
    // The captions of the labels of every page visited, as they were when the walk left them.
    std::map<QString, QString> captions;
};

class SampleRun : public HeadlessTest {
protected:
    SampleRun();
    ~SampleRun() override;

    // The sample's definition and a file of its folder.
    static QString sampleFile(const QString& relative = QStringLiteral("ZelVyn.par"));
    // A destination folder under the test's temporary folder (a blank and an accent in its
    // name, as a person's folders have).
    QString destination() const { return temp.path(QStringLiteral("os meus programas/Olá")); }
    QString registryFile() const { return temp.path(QStringLiteral("registo/registry.reg")); }
    QString homeFolder() const { return temp.path(QStringLiteral("casa")); }
    // Writes the serial number the sample reads into the registry store.
    void seedSerial(const QString& serial) const;

    // Runs zelvyn -FP <sample> <words...> and, inside the wizard's run, the steps: "ANT",
    // "SEG", "CNF", "CAN" (the buttons), "X" (the close box), "ACEITO" and "LEIAME" (the two
    // check boxes), "OPC1".."OPC3" (the language options).
    SampleWalk walk(const QStringList& words, const QStringList& steps);

    // The files under a folder, relative, sorted.
    static QStringList filesUnder(const QString& folder);

    const QStringList& opened() { return ctx.headless().opener->opened(); }
    // The titles of the boxes shown, in order.
    QStringList boxTitles();

    QStringList failures; // start attempts that failed: "number description"

private:
    zv::SupVyn* engine() const;
    bool running() const;
    void act(const QString& step);
    int controlIndex(const QString& ide) const;
    // Back, Next, Confirm, Cancel as "caption" (shown), "caption-" (shown, disabled) or ""
    // (hidden), joined with "|".
    QString buttonsText() const;
    void noteCaptions(SampleWalk& w) const;

    std::shared_ptr<zv::ZelVynAsp> window_;
};

} // namespace zvtest
