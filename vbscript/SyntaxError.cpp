#include "SyntaxError.h"

namespace zv::vbs {

void raiseSyntax(int number, int line, int column, const QString& detail) {
    QString text = compileErrorText(number);
    if (!detail.isEmpty()) text = vbErrorTextWithName(text, detail);
    throw SyntaxErrorException{SyntaxError{number, text, line, column}};
}

} // namespace zv::vbs
