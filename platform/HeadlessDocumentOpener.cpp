#include "HeadlessDocumentOpener.h"

namespace zv {

void HeadlessDocumentOpener::clear() {
    opened_.clear();
    viewed_.clear();
}

bool HeadlessDocumentOpener::open(const QString& target) {
    opened_ << target;
    return result_;
}

bool HeadlessDocumentOpener::viewText(const QString& file) {
    viewed_ << file;
    return result_;
}

} // namespace zv
