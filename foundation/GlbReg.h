#pragma once
// GlbReg: string values of the registry. The registry is the store of the process context's
// registry file (a registry-export text file; see RegistryStore), under the root given by its
// handle: HKEY_LOCAL_MACHINE and the other predefined roots become the first part of the key,
// as in an export ("[HKEY_LOCAL_MACHINE\SOFTWARE\App]").

#include <QString>
#include <cstdint>

namespace zv {

constexpr int32_t kHkeyClassesRoot = int32_t(0x80000000u);
constexpr int32_t kHkeyCurrentUser = int32_t(0x80000001u);
constexpr int32_t kHkeyLocalMachine = int32_t(0x80000002u);
constexpr int32_t kHkeyUsers = int32_t(0x80000003u);
constexpr int32_t kHkeyCurrentConfig = int32_t(0x80000005u);

// Module state: the root the start-up sets and hands to these procedures.
struct GlbRegState {
    int32_t RegRaiz = 0;
};
GlbRegState& glbRegState();
void glbRegReset();

// The name of a predefined root ("HKEY_LOCAL_MACHINE"); "" for any other handle.
QString regRootName(int32_t root);

// The string value name of root\key, trimmed of blanks; "" when the key or the value is
// missing, the value is no string, or the root is unknown. Values of any length are read
// whole.
QString RegValLer(int32_t root, const QString& key, const QString& name);
// Writes name = value as a string under root\key, creating the key: -1 (True) when written,
// else 0.
int RegValGra(int32_t root, const QString& key, const QString& name, const QString& value);

} // namespace zv
