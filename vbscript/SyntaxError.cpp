#include "SyntaxError.h"

namespace zv::vbs {

void raiseSyntax(int number, int line, int column, const QString& detail) {
    const QString text = vbErrorTextWithName(compileErrorText(number), detail);
    throw SyntaxErrorException{SyntaxError{number, text, line, column}};
}

} // namespace zv::vbs
