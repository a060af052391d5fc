#include "tests/support/walk_trees.h"

#include <QDir>
#include <random>
#include <vector>

void RandomTree(TempTree& tree, int directories, int files, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<QByteArray> dirs{""};
    for (int i = 0; i < directories; ++i) {
        const QByteArray& parent = dirs[random() % dirs.size()];
        if (parent.count('/') >= 6) continue;
        dirs.push_back(parent + (random() % 7 == 0 ? "." : "") + "d" + QByteArray::number(i) + "/");
        tree.Dir(dirs.back());
    }
    for (int i = 0; i < files; ++i) {
        const QByteArray name = dirs[random() % dirs.size()] + "f" + QByteArray::number(i);
        tree.File(name, random() % 100000);
        if (random() % 5 == 0) tree.DosAttributes(name, random() % 64);
    }
}

QByteArray WideName(char kind, int number) {
    return QByteArray(200, kind) + '-' + QByteArray::number(number);
}

void WideFolder(TempTree& tree, QByteArrayView relative, int folders, int files) {
    const QByteArray prefix = relative.isEmpty() ? QByteArray() : relative.toByteArray() + '/';
    tree.Dir(relative.isEmpty() ? QByteArray(".") : relative.toByteArray());
    for (int i = 0; i < folders; ++i)
        tree.File(prefix + WideName('d', i) + "/one", 1);
    for (int i = 0; i < files; ++i)
        tree.File(prefix + WideName('f', i), i);
}

int OpenDescriptors() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd"))
                                .entryList(QDir::NoDotAndDotDot | QDir::AllEntries)
                                .size());
}
