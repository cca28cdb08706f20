// The program's windows: the wizard window with its buttons, picture and icon; the background
// form's layout; the whole start-up with real windows, the wizard closed by its close box.
#include "WizardTestSupport.h"

#include "VbCommandButton.h"
#include "VbImage.h"
#include "ZelVynAsp.h"
#include "ZelVynFun.h"

#include <QApplication>
#include <QImage>
#include <QTimer>

using namespace zv;
using namespace zvtest;

namespace {

QRect pixels(const VbControl& c) {
    return QRect(int(c.left() / 15), int(c.top() / 15), int(c.width() / 15), int(c.height() / 15));
}

} // namespace

TEST(StartupWindow, WizardWindowHasItsButtonsPictureAndIcon) {
    ZelVynAsp w;
    EXPECT_EQ(w.size(), QSize(640, 480));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    QStringList captions;
    int lastRight = 0;
    for (const auto& b : {w.cmAnt(), w.cmSeg(), w.cmCnf(), w.cmCan()}) {
        ASSERT_TRUE(b);
        captions << b->caption();
        EXPECT_TRUE(QRect(0, 0, 640, 480).contains(pixels(*b)));
        EXPECT_GT(pixels(*b).left(), lastRight);
        lastRight = pixels(*b).right();
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("< Anterior"), QStringLiteral("Seguinte >"),
                                     QStringLiteral("Confirmar"), QStringLiteral("Cancelar")}));

    // Picture and icon: a file that gives none keeps the old one.
    TempDir temp;
    const QString bmp = temp.path(QStringLiteral("fundo.bmp"));
    QImage image(40, 30, QImage::Format_RGB32);
    ASSERT_TRUE(image.save(bmp, "BMP"));
    ImgFun(w, bmp);
    ImgFun(w, temp.write(QStringLiteral("falso.bmp"), "not a picture"));
    MnuIco(w, bmp);
    MnuIco(w, QString());
    EXPECT_EQ(w.picture().size(), QSize(40, 30));
    EXPECT_EQ(w.iconPath(), bmp);
}

TEST(StartupWindow, BackgroundLayoutFollowsTheSize) {
    ZelVynFun f;
    EXPECT_EQ(f.caption(), QStringLiteral("Vynnard"));
    f.showForm();
    for (const QSize size : {QSize(800, 600), QSize(500, 900)}) {
        f.resize(size);
        QApplication::processEvents();
        const QRect client(QPoint(0, 0), size);
        const auto at = [&](const char* name) {
            return pixels(*f.piece(QString::fromLatin1(name)));
        };
        EXPECT_EQ(at("DirBx").bottomRight(), client.bottomRight());
        EXPECT_EQ(at("Dir").bottom() + 1, at("DirBx").top());
        EXPECT_EQ(at("Dir").right(), client.right());
        EXPECT_EQ(at("Bx").right() + 1, at("DirBx").left());
        EXPECT_EQ(at("Bx").bottom(), client.bottom());
        EXPECT_LE((at("QOR").center() - client.center()).manhattanLength(), 2);
        // The please-wait picture keeps the logo's margins, from the other corner.
        EXPECT_EQ(client.right() - at("aguarde").right(), at("Zel").left());
        EXPECT_EQ(client.bottom() - at("aguarde").bottom(), at("Zel").top());
    }
    f.unload();
}

class StartupProgram : public StartupTest {};

TEST_F(StartupProgram, RunsTheWizardWindowUntilItsCloseBox) {
    // One page with its four buttons.
    const QString definition = temp.write(
        QStringLiteral("wiz/ZelVyn.par"),
        QByteArrayLiteral("'Nome : ZelVyn.par\n'Tipo : vyn\n'Data :\n'Versao :\n'Desc :\n"
                          "#PAG:IDE\nId [IDE]=P1\n##\n#TRA:IDE\nB [IDE]=ANT\n##\n"
                          "#TRA:IDE\nB [IDE]=SEG\n##\n#TRA:IDE\nB [IDE]=CNF\n##\n"
                          "#TRA:IDE\nB [IDE]=CAN\n##\n"));
    setArguments({QStringLiteral("-FP"), definition});
    ZelVynFun background;
    background.load();
    bool backgroundShown = false;
    int buttonsShown = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* w = dynamic_cast<ZelVynAsp*>(QApplication::activeModalWidget());
        if (!w) return;
        timer.stop();
        backgroundShown = background.isVisible();
        for (const auto& b : {w->cmAnt(), w->cmSeg(), w->cmCnf(), w->cmCan()})
            buttonsShown += b->widget()->isVisible() ? 1 : 0;
        w->close();
    });
    timer.start(10);
    QTimer::singleShot(5000, [] {
        ADD_FAILURE() << "the wizard window did not end";
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    EXPECT_EQ(background.startup(), 0);
    EXPECT_TRUE(backgroundShown);
    EXPECT_EQ(buttonsShown, 4);
    EXPECT_FALSE(background.isVisible());
    EXPECT_EQ(background.startup(), 0) << "later activations do nothing";
    EXPECT_EQ(VbForm::forms().size(), 1u) << "the wizard window was released";
}
