#include "GlbReg.h"

#include "ModuleState.h"
#include "ProcessContext.h"
#include "RegistryStore.h"
#include "Text.h"
#include "VbError.h"

namespace zv {

GlbRegState& glbRegState() {
    return moduleState<GlbRegState>();
}

void glbRegReset() {
    resetModuleState<GlbRegState>();
}

QString regRootName(int32_t root) {
    switch (uint32_t(root)) {
    case 0x80000000u:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case 0x80000001u:
        return QStringLiteral("HKEY_CURRENT_USER");
    case 0x80000002u:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case 0x80000003u:
        return QStringLiteral("HKEY_USERS");
    case 0x80000005u:
        return QStringLiteral("HKEY_CURRENT_CONFIG");
    default:
        return {};
    }
}

QString RegValLer(int32_t root, const QString& key, const QString& name) {
    const QString rootName = regRootName(root);
    if (rootName.isEmpty()) return {};
    const RegistryStore store(ProcessContext::current().registryFile());
    const std::optional<QString> value = store.readString(rootName + u'\\' + key, name);
    return value ? Trim(*value) : QString();
}

int RegValGra(int32_t root, const QString& key, const QString& name, const QString& value) {
    const QString rootName = regRootName(root);
    if (rootName.isEmpty()) return 0;
    int written = 0;
    vbTrap([&] {
        const RegistryStore store(ProcessContext::current().registryFile());
        written = store.writeString(rootName + u'\\' + key, name, value) ? -1 : 0;
    });
    return written;
}

} // namespace zv
