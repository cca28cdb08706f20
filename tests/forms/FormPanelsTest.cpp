// Panel appearances: bevels by style, colours and the background picture from the palette
// (found in the pictures folder in any case), appearances read and memorised, a form's standard
// parts prepared, and panels painted as they were set.
#include "FormsTestSupport.h"
#include "ScopedProcessContext.h"
#include "TestSupport.h"
#include "VbColor.h"
#include "VbFrame3D.h"
#include "VbLabel.h"

#include <QDir>
#include <QImage>

using namespace zv;
using zvtest::errorOf;

namespace {

struct FormPanels : ::testing::Test {
    ScopedProcessContext context;
    zvtest::TempDir dir;
    zvtest::TestForm form{9000, 6000};
    SupFrm frm;
    std::shared_ptr<VbFrame3D> panel =
        form.addControl<VbFrame3D>(QStringLiteral("spTit"), nullptr, VbFrame3D::Look::Panel);

    FormPanels() {
        panel->move(0, 0, 1500, 600); // 100 x 40 pixels
        QString folder = dir.path();
        frm.ImgDir(QStringLiteral(" a "), folder);
    }
    // A picture of one colour, written as a Windows program would name it.
    QString picture(const QString& name, const QColor& colour) {
        QDir().mkpath(dir.path(QStringLiteral("Fun")));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir.path(QStringLiteral("Fun/") + name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    void apply(const QString& name, const QString& entry) {
        frm.AspMemVco(name, entry);
        QString n = name, part3D;
        frm.AspRegSp(n, panel, part3D);
    }
};

} // namespace

TEST_F(FormPanels, BevelLookByStyle) {
    panel->setBevelInner(0);
    panel->setBevelOuter(0);
    panel->setBorderWidth(5);
    frm.Sp3DExe(panel, 2, 1, 0);
    EXPECT_EQ(panel->bevelInner(), 1);
    EXPECT_EQ(panel->bevelOuter(), 2);
    EXPECT_EQ(panel->bevelWidth(), 2);
    EXPECT_EQ(panel->borderWidth(), 0);
    EXPECT_EQ(panel->font3D(), 0);
    frm.Sp3DExe(panel, 0, 1, 3); // other styles leave the bevels, and ignore the flag
    EXPECT_EQ(panel->bevelInner(), 1);
    EXPECT_EQ(panel->bevelOuter(), 2);
    EXPECT_EQ(panel->bevelWidth(), 1);
    EXPECT_EQ(panel->font3D(), 3);
    frm.Sp3DExe(panel, 4, 0, 0);
    EXPECT_EQ(panel->bevelInner(), 2);
    EXPECT_EQ(panel->bevelOuter(), 0);
}

TEST_F(FormPanels, AppearanceSetsColoursBevelsAndThePictureFoundInAnyCase) {
    const QString onDisk = picture(QStringLiteral("Titulo.BMP"), Qt::red);
    panel->setForeColor(vbRgb(1, 2, 3));
    frm.AspMemVco(QStringLiteral("titulo"), QStringLiteral(" H800000 +-+ 2,1,1 +titulo.bmp"));
    QString name = QStringLiteral(" Titulo "), part3D;
    frm.AspRegSp(name, panel, part3D);
    EXPECT_EQ(name, QStringLiteral("TITULO"));
    EXPECT_EQ(part3D, QStringLiteral(" 2,1,1 "));
    EXPECT_EQ(panel->backColor(), vbRgb(0, 0, 128));
    EXPECT_EQ(panel->foreColor(), vbRgb(1, 2, 3));
    EXPECT_EQ(panel->bevelWidth(), 2);
    EXPECT_EQ(panel->font3D(), 1);
    EXPECT_EQ(panel->pictureBackgroundStyle(), 2);
    EXPECT_EQ(panel->pictureBackgroundPath(), onDisk);

    // A picture that is not there leaves the one the panel has; no picture removes it.
    apply(QStringLiteral("OUTRO"), QStringLiteral("-+-+0,0,0+nenhum.bmp"));
    EXPECT_EQ(panel->pictureBackgroundPath(), onDisk);
    apply(QStringLiteral("LISO"), QStringLiteral("-+-+1,0,0+"));
    EXPECT_EQ(panel->pictureBackgroundPath(), QString());
    // An absent entry changes nothing.
    QString absent = QStringLiteral("nada"), part = QStringLiteral("kept");
    frm.AspRegSp(absent, panel, part);
    EXPECT_EQ(part, QStringLiteral("kept"));
}

TEST_F(FormPanels, PicturesFolder) {
    QString folder;
    frm.ImgDir(QString(), folder);
    EXPECT_EQ(folder, dir.path());
    QString path;
    frm.ImgFunFic(QStringLiteral("a.bmp"), path);
    EXPECT_EQ(path, dir.path(QStringLiteral("Fun/a.bmp")));

    // "[BUS]": the provider's folder; without one, the picture is not found.
    SupFrm fresh;
    EXPECT_EQ(errorOf([&] { fresh.ImgFunFic(QStringLiteral("a.bmp"), path); }), 424);
    picture(QStringLiteral("a.bmp"), Qt::green);
    fresh.AspMemVco(QStringLiteral("P"), QStringLiteral("-+-+0,0,0+a.bmp"));
    QString name = QStringLiteral("P"), part3D;
    fresh.AspRegSp(name, panel, part3D);
    EXPECT_EQ(panel->pictureBackgroundPath(), QString());
    fresh.setDefaultImageFolder([&] { return dir.path(); });
    fresh.AspRegSp(name, panel, part3D);
    EXPECT_EQ(panel->pictureBackgroundPath(), dir.path(QStringLiteral("Fun/a.bmp")));
}

TEST_F(FormPanels, AppearancesReadAndMemorised) {
    panel->setBackColor(vbRgb(255, 0, 0));
    panel->setForeColor(0);
    frm.AspMemSp(QStringLiteral(" novo "), Variant(QString()), panel);
    EXPECT_EQ(frm.CorPalEnt(QStringLiteral("NOVO")), QStringLiteral("255,000,000+000,000,000+"));
    frm.AspMemSp(QStringLiteral("NOVO"), Variant(QStringLiteral("1,0,0+x.bmp")), panel);
    int32_t back = -1, fore = -1;
    QString name = QStringLiteral("novo"), part3D, file;
    frm.AspUsaSp(name, back, fore, part3D, file);
    EXPECT_EQ(name, QStringLiteral("NOVO"));
    EXPECT_EQ(back, vbRgb(255, 0, 0));
    EXPECT_EQ(fore, 0);
    EXPECT_EQ(part3D, QStringLiteral("1,0,0"));
    EXPECT_EQ(file, QStringLiteral("x.bmp"));
    QString absent = QStringLiteral("X");
    frm.AspUsaSp(absent, back, fore, part3D, file);
    EXPECT_EQ(file, QStringLiteral("x.bmp"));
}

TEST_F(FormPanels, StandardPartsOfAFormLackingSomeArePrepared) {
    auto interior =
        form.addControl<VbFrame3D>(QStringLiteral("spInt"), nullptr, VbFrame3D::Look::Panel);
    interior->setCaption(QStringLiteral("texto"));
    auto info = form.addControl<VbLabel>(QStringLiteral("inplbmsg"));
    frm.CorMemVco(QLatin1String(SupFrm::kFormEntry), QStringLiteral("10,20,30+-"));
    frm.AspMemVco(QLatin1String(SupFrm::kTitleEntry), QStringLiteral("0,0,255+-+3,0,0+"));
    frm.AspMemVco(QLatin1String(SupFrm::kInteriorEntry), QStringLiteral("0,255,0+-+1,0,0+"));
    frm.CorMemVco(QLatin1String(SupFrm::kInfoEntry), QStringLiteral("-+0,0,128"));
    frm.FrmPrpAsp(&form); // no "spSis", no "inplbinf", no "tbOpc"
    EXPECT_EQ(form.backColor(), vbRgb(10, 20, 30));
    EXPECT_EQ(panel->backColor(), vbRgb(0, 0, 255));
    EXPECT_EQ(panel->bevelInner(), 1);
    EXPECT_EQ(panel->bevelOuter(), 0);
    EXPECT_EQ(interior->backColor(), vbRgb(0, 255, 0));
    EXPECT_EQ(interior->caption(), QString());
    EXPECT_EQ(info->foreColor(), vbRgb(0, 0, 128));
}

TEST_F(FormPanels, PanelsArePaintedAsSet) {
    picture(QStringLiteral("fundo.bmp"), QColor(255, 0, 0));
    panel->setCaption(QString());
    apply(QStringLiteral("AZUL"), QStringLiteral("0,0,255+-+1,0,0+"));
    zvtest::showAndSettle(form);
    QImage plain = panel->widget()->grab().toImage();
    ASSERT_EQ(plain.size(), QSize(100, 40));
    EXPECT_EQ(QColor(plain.pixel(50, 20)), QColor(0, 0, 255)); // the face
    EXPECT_NE(QColor(plain.pixel(0, 0)), QColor(0, 0, 255));   // the outer bevel
    EXPECT_NE(QColor(plain.pixel(1, 1)), QColor(0, 0, 255));   // the inner bevel
    EXPECT_EQ(QColor(plain.pixel(2, 2)), QColor(0, 0, 255));

    apply(QStringLiteral("FUNDO"), QStringLiteral("0,0,255+-+2,1,0+fundo.bmp"));
    QImage pictured = panel->widget()->grab().toImage();
    EXPECT_EQ(QColor(pictured.pixel(50, 20)), QColor(255, 0, 0)); // stretched over the inside
    EXPECT_EQ(QColor(pictured.pixel(5, 5)), QColor(255, 0, 0));
    EXPECT_NE(QColor(pictured.pixel(1, 1)), QColor(255, 0, 0)); // two-pixel bevels around it
    EXPECT_NE(QColor(pictured.pixel(3, 3)), QColor(255, 0, 0));
}
