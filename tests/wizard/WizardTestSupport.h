#pragma once
// Helpers of the start-up tests: a process context of their own with a program folder whose
// name holds a blank, fresh module state, and a wizard window and an engine that record what
// the start routine does with them; and, for the tests that read definitions, the globals of
// the sample definition and the header of a definition written from zone texts.

#include "FicGlb.h"
#include "GlbReg.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"
#include "TxtGlb.h"
#include "VbError.h"
#include "ZelVynGlb.h"
#include "ZelVynMain.h"

#include <QFile>
#include <gtest/gtest.h>

namespace zvtest {

class StartupTest : public HeadlessTest {
protected:
    StartupTest() {
        resetModules();
        programFolder = temp.path(QStringLiteral("prog dir"));
        temp.write(QStringLiteral("prog dir/.keep"), QByteArray());
        ctx->setProgramFolder(programFolder);
        setArguments({});
        ctx->setRegistryFile(temp.path(QStringLiteral("registry.reg")));
    }
    ~StartupTest() override { resetModules(); }

    static void resetModules() {
        zv::zelVynMainReset();
        zv::zelVynGlbReset();
        zv::ficGlbReset();
        zv::txtGlbReset();
        zv::glbRegReset();
    }
    void setArguments(const QStringList& words) {
        ctx->setArguments(QStringList{programFolder + QStringLiteral("/zelvyn")} + words);
    }
    QString writeDefinition(const QString& relative) {
        return temp.write(relative, QByteArrayLiteral("#DEF:IDE\n##\n"));
    }
    // An executable shell script under the temporary folder.
    QString writeScript(const QString& relative, const QString& body) {
        const QString path = temp.write(relative, ("#!/bin/sh\n" + body).toUtf8());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    QString programFolder;
};

class FakeWindow : public zv::WizardWindow {
public:
    QStringList events;
    std::function<void()> onModal; // may throw

    void loadWindow() override { events << QStringLiteral("load"); }
    void unloadWindow() override { events << QStringLiteral("unload"); }
    void showWindowModal() override {
        events << QStringLiteral("modal");
        if (onModal) onModal();
    }
    bool loadPicture(const QString&) override { return true; }
    bool loadIcon(const QString&) override { return true; }
};

class FakeEngine : public zv::VynEngine {
public:
    std::shared_ptr<zv::WizardWindow> form;
    QString file;
    std::function<void()> onVynIni; // may throw

    void RegFrm(const std::shared_ptr<zv::WizardWindow>& f) override { form = f; }
    void VynIni(const QString& f) override {
        file = f;
        if (onVynIni) onVynIni();
    }
    void VynExe() override { form->showWindowModal(); }
};

// The header lines of a definition file, put in front of zone texts.
inline const QString kDefinitionHeader =
    QStringLiteral("'Nome : t.par\n'Tipo : vyn\n'Data :\n'Versao :\n'Desc :\n");

// Fresh engine globals for the sample definition (tests/data/wizard/assistente.par, its folder
// the program folder), the program run as "zelvyn".
inline void useSampleDefinition(zv::ScopedProcessContext& ctx) {
    zv::zelVynGlbReset();
    zv::ZelVynGlbState& g = zv::zelVynGlbState();
    g.DirPgm = dataPath(QStringLiteral("wizard"));
    g.VynFpa = g.DirPgm + QStringLiteral("/assistente.par");
    ctx->setArguments({QStringLiteral("zelvyn")});
}

} // namespace zvtest
