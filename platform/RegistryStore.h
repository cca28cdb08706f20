#pragma once
// The stand-in of the Windows registry's string values: a text file in the registry-export
// format that a person can read and edit:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Vendor\App]
//   "Path"="/opt/app"
//   @="the key's default value"
//
// Keys and value names are matched without regard to case and keep the case they were first
// written with. Values have no length limit; a value holding line breaks or other control
// characters is written in the hex(1) form (UTF-16LE bytes) so that every value survives.
// Values of other types (dword:, hex:, ...) are kept as they are and read as "no string".
//
// Every write reads the file, changes one line and replaces the file whole (a write that cannot
// be stored whole, as on a full disk, fails and leaves the file as it was), under the exclusive
// lock of the file layer on a companion file "<file>.lock", because other processes (an
// installer, a second wizard) and threads may write at the same time: writers queue for it. A file
// read and written back keeps its encoding (UTF-16LE with its mark as the registry editor writes
// it, UTF-8 or Windows-1252) and line end; a new file is UTF-8 with LF.

#include <QString>
#include <optional>

namespace zv {

class RegistryStore {
public:
    explicit RegistryStore(QString file) : file_(std::move(file)) {}

    const QString& file() const { return file_; }

    // The string value name (empty: the key's default value) of key (a full path with its
    // root, "HKEY_LOCAL_MACHINE\SOFTWARE\App"; empty parts and a trailing "\" are ignored).
    // No value when the file, the key or the name is missing or the value is no string.
    std::optional<QString> readString(const QString& key, const QString& name) const;

    // Writes a string value, creating the key (and the file and its folder) when missing.
    // False when the file could not be locked (within the file layer's wait), read or written
    // whole; the file is then as it was.
    bool writeString(const QString& key, const QString& name, const QString& value) const;

    // The key path in the store's form: parts joined by "\", empty parts dropped.
    static QString normalizeKey(const QString& key);

private:
    QString file_;
};

} // namespace zv
