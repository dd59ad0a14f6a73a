#include "shared/icc.h"

#include <QFile>
#include <map>

namespace icc {

const QPixmap& image(const std::string& file_name) {
    static std::map<std::string, QPixmap> cache;
    auto it = cache.find(file_name);
    if (it == cache.end()) {
        QPixmap p;
        const QString path = QString(":/pictures/") + QString::fromStdString(file_name);
        if (QFile::exists(path)) p.load(path);
        it = cache.emplace(file_name, p).first;
    }
    return it->second;
}

const QPixmap& bt_coul(int n) {
    return image("bt_coul_" + std::to_string(n) + ".png");
}
bool has_bt_coul(int n) {
    return n >= 0 && !bt_coul(n).isNull();
}
int bt_coul_count() {
    static const int count = [] {
        int highest = -1;
        for (int n = 0; n < 200; ++n)
            if (has_bt_coul(n)) highest = n;
        return highest + 1;
    }();
    return count;
}
const QPixmap& ccbm(int i) {
    return image("ccbm_" + std::to_string(i) + ".png");
}
const QPixmap& iclogo() {
    return image("iclogo.png");
}
const QPixmap& logo() {
    return image("logo.png");
}
const QPixmap& valid() {
    return image("valid.png");
}
const QPixmap& vide() {
    return image("vide.png");
}
const QPixmap& oui(int i) {
    return image("oui_" + std::to_string(i) + ".png");
}

}  // namespace icc
