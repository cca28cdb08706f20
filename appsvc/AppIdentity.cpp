#include "AppIdentity.h"

#include "AppBuildInfo.h"
#include "ProcessContext.h"

#include <QFileInfo>

namespace zv {

AppIdentity AppIdentity::build() {
    AppIdentity id;
    id.productName = QString::fromUtf8(appbuild::kProduct);
    id.exeName = QFileInfo(ProcessContext::current().programFile()).fileName();
    id.company = QString::fromUtf8(appbuild::kCompany);
    id.comments = QString::fromUtf8(appbuild::kComments);
    id.major = appbuild::kMajor;
    id.minor = appbuild::kMinor;
    id.revision = appbuild::kRevision;
    return id;
}

} // namespace zv
