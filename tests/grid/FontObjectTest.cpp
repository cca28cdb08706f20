// The font object: option texts, other objects' fonts, refusals and the font dialog driven from
// the test (accept and cancel).
#include "SupFon.h"
#include "UiTestSupport.h"

#include <QFontDialog>
#include <QLabel>

using namespace zv;

namespace {

// The driven dialog: the person picks family, size, bold and italic, or cancels.
void pickFont(const QString& family, int size, bool bold, bool italic) {
    zvtest::onModal<QFontDialog>([=](QFontDialog* d) {
        QFont f(family, size);
        f.setBold(bold);
        f.setItalic(italic);
        d->setCurrentFont(f);
        d->accept();
    });
}

} // namespace

TEST(FontObject, OptionTextsInTheOrderOfTheKeys) {
    SupFon fon;
    fon.setFonNom(QStringLiteral("DejaVu Serif"));
    fon.setFonTam(Variant(12.0));
    fon.setFonBld(true);
    QString opt;
    fon.FonOpcCon(QStringLiteral(" tam , NOM,XYZ,bld"), opt);
    EXPECT_EQ(opt, u"[TAM=12][NOM=DejaVu Serif][BLD=S]");
    fon.FonOpcCon(QStringLiteral("NOM,TAM,BLD,ITA"), opt);
    EXPECT_EQ(opt, u"[NOM=DejaVu Serif][TAM=12][BLD=S][ITA=N]");

    SupFon other;
    other.FonOpcReg(QStringLiteral("NOM,TAM,BLD,ITA"), opt);
    EXPECT_EQ(other.FonNom(), u"DejaVu Serif");
    EXPECT_EQ(other.FonTam(), 12);
    EXPECT_TRUE(other.FonBld());
    EXPECT_FALSE(other.FonIta());
    // Only the keys listed are read; a key missing from the text reads as "", 0 or "N".
    other.FonOpcReg(QStringLiteral("ITA"), QStringLiteral("[ITA=S][NOM=DejaVu Sans]"));
    EXPECT_TRUE(other.FonIta());
    EXPECT_EQ(other.FonNom(), u"DejaVu Serif");
    other.FonOpcReg(QStringLiteral("NOM,TAM,BLD"), QStringLiteral("[TAM=10.5]"));
    EXPECT_EQ(other.FonNom(), u"DejaVu Serif"); // "" refused
    EXPECT_EQ(other.FonTam(), 10.5);
    EXPECT_FALSE(other.FonBld());
}

TEST(FontObject, RefusedValuesLeaveTheFont) {
    SupFon fon;
    fon.setFonNom(QStringLiteral("DejaVu Sans Mono"));
    fon.setFonTam(Variant(QStringLiteral("11.123456")));
    EXPECT_EQ(fon.FonTam(), 11.1235); // read as the language's Currency
    for (const Variant& bad :
         {Variant(0.0), Variant(-3.0), Variant(QStringLiteral("abc")), Variant::null()})
        fon.setFonTam(bad);
    EXPECT_EQ(fon.FonTam(), 11.1235);
    fon.setFonNom(QStringLiteral("   "));
    EXPECT_EQ(fon.FonNom(), u"DejaVu Sans Mono");
    // An empty option text gives every key its empty value: name and size refused, bold and
    // italic off.
    fon.setFonBld(true);
    fon.setFonIta(true);
    fon.FonOpcReg(QStringLiteral("NOM,TAM,BLD,ITA"), QString());
    EXPECT_EQ(fon.FonNom(), u"DejaVu Sans Mono");
    EXPECT_EQ(fon.FonTam(), 11.1235);
    EXPECT_FALSE(fon.FonBld());
    EXPECT_FALSE(fon.FonIta());
    // After FxFim the font is made again from the application's.
    fon.FxFim();
    EXPECT_EQ(fon.FonNom(), QApplication::font().family());
}

TEST(FontObject, FontsOfOtherObjects) {
    QLabel label;
    QFont start(QStringLiteral("DejaVu Sans"), 9);
    label.setFont(start);
    SupFon fon;
    fon.FonObReg(QStringLiteral("NOM,TAM,BLD,ITA"), &label,
                 QStringLiteral("[NOM=DejaVu Serif][TAM=15][BLD=S][ITA=N]"));
    EXPECT_EQ(label.font().family(), u"DejaVu Serif");
    EXPECT_EQ(label.font().pointSizeF(), 15);
    EXPECT_TRUE(label.font().bold());
    QString opt;
    fon.FonObCon(QStringLiteral("NOM,TAM,BLD,ITA"), &label, opt);
    EXPECT_EQ(opt, u"[NOM=DejaVu Serif][TAM=15][BLD=S][ITA=N]");
    // Refused values leave the object's font; an empty text writes the held font's values.
    fon.FonObReg(QStringLiteral("NOM,TAM"), &label, QStringLiteral("[NOM= ][TAM=-1]"));
    EXPECT_EQ(label.font().family(), u"DejaVu Serif");
    EXPECT_EQ(label.font().pointSizeF(), 15);
    fon.setFonNom(QStringLiteral("DejaVu Sans Mono"));
    fon.setFonTam(Variant(8.0));
    fon.FonObReg(QStringLiteral("NOM,TAM,BLD"), &label, QString());
    EXPECT_EQ(label.font().family(), u"DejaVu Sans Mono");
    EXPECT_EQ(label.font().pointSizeF(), 8);
    EXPECT_FALSE(label.font().bold());
    // An object without a font is skipped.
    QObject plain;
    fon.FonObReg(QStringLiteral("NOM"), &plain, QStringLiteral("[NOM=DejaVu Serif]"));
    EXPECT_FALSE(plain.property("font").isValid());
    fon.FonObCon(QStringLiteral("NOM"), &plain, opt);
    EXPECT_EQ(opt, u"");
    fon.FonObCon(QStringLiteral("NOM"), nullptr, opt);
    EXPECT_EQ(opt, u"");
}

TEST(FontObject, DialogAcceptedAndCancelled) {
    SupFon fon;
    fon.setFonNom(QStringLiteral("DejaVu Sans"));
    fon.setFonTam(Variant(10.0));
    int ok = -1;
    pickFont(QStringLiteral("DejaVu Serif"), 14, true, true);
    fon.SelFon(ok);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(fon.lastError(), 0);
    QString opt;
    fon.FonOpcCon(QStringLiteral("NOM,TAM,BLD,ITA"), opt);
    EXPECT_EQ(opt, u"[NOM=DejaVu Serif][TAM=14][BLD=S][ITA=S]");

    zvtest::onModal<QFontDialog>([](QFontDialog* d) {
        EXPECT_FALSE(d->testOption(QFontDialog::DontUseNativeDialog) == false);
        d->setCurrentFont(QFont(QStringLiteral("DejaVu Sans Mono"), 20));
        d->reject();
    });
    fon.SelFon(ok);
    EXPECT_EQ(ok, 0);
    EXPECT_EQ(fon.lastError(), SupFon::kDialogCancelled);
    fon.FonOpcCon(QStringLiteral("NOM,TAM,BLD,ITA"), opt);
    EXPECT_EQ(opt, u"[NOM=DejaVu Serif][TAM=14][BLD=S][ITA=S]");
}
