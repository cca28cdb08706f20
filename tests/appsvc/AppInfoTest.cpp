// Application identity, captions and variables.

#include "AppSvcTestSupport.h"
#include "SupApp.h"

#include <gtest/gtest.h>

using namespace zv;
using zvtest::textOf;

namespace {

AppIdentity gestor(const QString& comments = QString()) {
    AppIdentity id;
    id.productName = QStringLiteral("Gestor - Stocks  ");
    id.exeName = QStringLiteral("gestor");
    id.company = QStringLiteral("TALVORE");
    id.comments = comments;
    id.major = 2;
    id.minor = 1;
    id.revision = 0;
    return id;
}

class Window : public CaptionTarget {
public:
    QString caption() const override {
        if (gone) throw VbError(91, QString());
        return text;
    }
    void setCaption(const QString& c) override {
        if (gone) throw VbError(91, QString());
        text = c;
    }
    QString text;
    bool gone = false;
};

QString expanded(const SupApp& app, const QString& text) {
    QString result;
    app.AppInfIde(text, result);
    return result;
}

} // namespace

TEST(AppInfo, IdentityAndTokens) {
    SupApp app;
    app.AppInfPrp(gestor(QStringLiteral("Gestão [VER_X=7][AUTOR=[EMP+] e [CAP+]]")));
    EXPECT_EQ(app.version(), "2.1.0.7");
    EXPECT_EQ(app.product(), "Gestor - Stocks");
    EXPECT_EQ(app.productHead(), "Gestor");
    EXPECT_EQ(app.productTail(), "Stocks");
    EXPECT_EQ(app.caption(), "TALVORE - Gestor - Stocks (Ver: 2.1.0.7)");
    QString value;
    app.AppInfCon(QStringLiteral(" ver_sp"), value);
    EXPECT_EQ(value, "[2.1.0.7]");
    app.AppInfCon(QStringLiteral("nada"), value);
    EXPECT_EQ(value, "");
    app.AppInfPgm(QStringLiteral("extra"), value);
    EXPECT_EQ(value, "gestor (2.1.0.7) - extra");
    // A token's value that holds tokens is expanded too.
    EXPECT_EQ(expanded(app, QStringLiteral("<[autor]>")),
              "<TALVORE e TALVORE - Gestor - Stocks 2.1.0.7>");
}

TEST(AppInfo, TokenExpansionStopsOnATokenThatHoldsItself) {
    SupApp app;
    app.AppInfPrp(gestor(QStringLiteral("[CICLO=x[CICLO]]")));
    const QString result = expanded(app, QStringLiteral("[CICLO]"));
    EXPECT_EQ(result, QString(1000, u'x') + QStringLiteral("[CICLO]"));
}

TEST(AppInfo, CaptionTemplatesAndWindows) {
    SupApp app;
    Window window;
    window.text = QStringLiteral("Janela");
    app.AppTitIni(window);
    app.AppCapAsp(QStringLiteral("PGM"));
    app.AppInfPrp(gestor());
    EXPECT_EQ(app.caption(), "Janela - (Ver: 2.1.0)");
    // A part that starts with "[" is a token (the rest of the part dropped); others are copied.
    app.AppCapAsp(QStringLiteral("x[EMP]y|[EMP]z| |[IDE"));
    app.AppInfPrp(gestor());
    EXPECT_EQ(app.caption(), "x[EMP]yTALVORE ");

    app.AppCapIni(window, QStringLiteral("Passo 2"));
    EXPECT_EQ(window.text, "x[EMP]yTALVORE  - Passo 2");
    QString text;
    app.AppCapIni(text, QString());
    EXPECT_EQ(text, "x[EMP]yTALVORE ");
    window.gone = true;
    app.AppTitIni(window); // ignored
    app.AppCapIni(window, QString());
    EXPECT_EQ(app.title(), "Janela");
}

TEST(AppInfo, BuildIdentity) {
    const AppIdentity id = AppIdentity::build();
    EXPECT_EQ(id.productName, ZV_PROJECT_NAME);
    EXPECT_EQ(id.company, "TALVORE");
    EXPECT_EQ(QStringLiteral("%1.%2").arg(id.major).arg(id.minor), ZV_PROJECT_VERSION);
    EXPECT_EQ(id.exeName, "appsvc_tests");
}

TEST(AppInfo, Variables) {
    SupApp app;
    app.VarReg(QStringLiteral("base"), Variant(QStringLiteral("/srv")));
    app.VarReg(QStringLiteral("DADOS "), Variant(QStringLiteral("[BASE]/dados/")));
    EXPECT_EQ(textOf(app.VarCon(QStringLiteral("dados"))), "[BASE]/dados/");
    EXPECT_EQ(textOf(app.VarSbr(QStringLiteral("dados"))), "/srv/dados/");
    EXPECT_EQ(textOf(app.VarCon(QStringLiteral("nada"))), "");
    QString path;
    app.VarPath(QStringLiteral("Dados"),
                zvtest::arrayOf({Variant(QStringLiteral("/a/")), Variant(QStringLiteral("b.txt"))}),
                path);
    EXPECT_EQ(path, "/srv/dados/a/b.txt");
}
