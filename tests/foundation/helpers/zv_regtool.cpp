// The registry store from a second process:
//   zv_regtool get <file> <key> <name>            prints the value (exit 1 when there is none)
//   zv_regtool set <file> <key> <name> <value>    writes it (exit 1 on failure)
//   zv_regtool fill <file> <key> <prefix> <n>     writes <prefix>1..<prefix>n = "v1".."vn"
#include "RegistryStore.h"

#include <QString>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 5) return 2;
    const zv::RegistryStore store(QString::fromLocal8Bit(argv[2]));
    const QString key = QString::fromLocal8Bit(argv[3]);
    const QString name = QString::fromLocal8Bit(argv[4]);
    if (std::strcmp(argv[1], "get") == 0) {
        const auto value = store.readString(key, name);
        if (!value) return 1;
        std::fputs(value->toUtf8().constData(), stdout);
        return 0;
    }
    if (std::strcmp(argv[1], "set") == 0 && argc >= 6)
        return store.writeString(key, name, QString::fromLocal8Bit(argv[5])) ? 0 : 1;
    if (std::strcmp(argv[1], "fill") == 0 && argc >= 6) {
        const int n = QString::fromLocal8Bit(argv[5]).toInt();
        for (int i = 1; i <= n; ++i)
            if (!store.writeString(key, name + QString::number(i), u'v' + QString::number(i)))
                return 1;
        return 0;
    }
    return 2;
}
