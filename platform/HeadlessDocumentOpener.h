#pragma once
// The document opener of tests: opens nothing, records what it was asked to open.

#include "DocumentOpener.h"

#include <QStringList>

namespace zv {

class HeadlessDocumentOpener : public DocumentOpener {
public:
    const QStringList& opened() const { return opened_; }
    const QStringList& viewed() const { return viewed_; }
    // What open and viewText answer (true unless set).
    void setResult(bool ok) { result_ = ok; }
    void clear();

    bool open(const QString& target) override;
    bool viewText(const QString& file) override;

private:
    QStringList opened_;
    QStringList viewed_;
    bool result_ = true;
};

} // namespace zv
