#pragma once
// Helpers of the grid support's tests: a form with a grid bound to a SupFlx with four registered
// columns (the row number, a name, an amount and a state), an image list of three plain
// pictures, and readers of whole rows.

#include "GridTestSupport.h"
#include "SupFlx.h"

#include <QPixmap>

namespace flxtest {

inline QPixmap plainPicture(const QColor& color) {
    QPixmap p(16, 16);
    p.fill(color);
    return p;
}

struct FlxForm : gridtest::GridForm {
    zv::SupFlx flx;
    zv::ImageList icons;

    // rows: the kept visible (and minimum) rows of GdoCfcGrIni.
    explicit FlxForm(int rows = 6) {
        icons.add(QStringLiteral("OFF"), plainPicture(Qt::red));
        icons.add(QStringLiteral("ON"), plainPicture(Qt::green));
        icons.add(QStringLiteral("NOTE"), plainPicture(Qt::blue));
        flx.IniUsoGr(grid, nullptr, QStringLiteral("CON"));
        flx.IniGda(QStringLiteral("ARR"), QString(), QStringLiteral("SELECT *"), QString());
        flx.ColReg(600, QStringLiteral("Nº"), QStringLiteral("|"), QString());
        flx.ColReg(2400, QStringLiteral("Nome"), QStringLiteral("<"), QString());
        flx.ColReg(1500, QStringLiteral("Valor"), QStringLiteral(">"), QStringLiteral("7.2"));
        flx.ColReg(900, QStringLiteral("Estado"), QStringLiteral("|"), QString());
        flx.GdoCfcGrIni(rows);
        flx.IcoImg(&icons);
    }

    // Adds used rows named "a", "b", ... with amounts 10, 20, ...
    void addRows(int n) {
        for (int i = 0; i < n; ++i) {
            const QChar name(u'a' + flx.lastUsedRow());
            flx.GrLstCmp(zv::Variant::list(
                {zv::Variant(QString(name)), zv::Variant(double(10 * (flx.lastUsedRow() + 1)))}));
        }
    }

    // The texts of column 1 (names) of rows 1..n, joined.
    QString names(int n) const {
        QString s;
        for (int r = 1; r <= n; ++r)
            s += grid->textMatrix(r, 1);
        return s;
    }
    // Column 0 (the row numbers) of rows 1..n, joined with ",".
    QString numbers(int n) const {
        QStringList s;
        for (int r = 1; r <= n; ++r)
            s << grid->textMatrix(r, 0);
        return s.join(u',');
    }
    qint64 iconId(int index) const { return icons.picture(index).cacheKey(); }
};

} // namespace flxtest
