#pragma once
// Printing of Qt texts and Variants in test messages.

#include "Convert.h"
#include "Variant.h"

#include <QString>
#include <QStringList>
#include <ostream>

inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << s;
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const QString& s : l)
        *os << s << ',';
    *os << '}';
}

namespace zv {
inline void PrintTo(const Variant& v, std::ostream* os) {
    *os << "Variant(" << v.varType() << ", ";
    try {
        *os << toText(v);
    } catch (...) {
        *os << "?";
    }
    *os << ')';
}
} // namespace zv
