#include "Ast.h"

namespace zv::vbs {

SourceText::SourceText(const QString& t) : text(t) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        QChar c = t[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(t.mid(start, i - start));
            if (c == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') ++i;
            start = i + 1;
        }
    }
    lines.append(t.mid(start));
}

QString SourceText::line(int n) const {
    if (n < 1 || n > lines.size()) return {};
    return lines[n - 1];
}

bool isHardLiteral(const Expr* e) {
    while (e && e->kind == ExprKind::Paren)
        e = static_cast<const ParenExpr*>(e)->inner.get();
    return e && e->kind == ExprKind::Literal && static_cast<const LiteralExpr*>(e)->hard;
}

} // namespace zv::vbs
