// The picture store: the numbered pictures of keys, bars and buttons, the
// frame pieces, the logos and the ticks, compiled into the program.
#pragma once

#include <QPixmap>
#include <string>
#include <vector>

namespace icc {

// Picture n of the numbered pictures; a null picture when the store has none.
const QPixmap& bt_coul(int n);
bool has_bt_coul(int n);
// One past the highest picture number of the store.
int bt_coul_count();
// The frame pieces 0 to 7.
const QPixmap& ccbm(int i);
const QPixmap& iclogo();
const QPixmap& logo();
const QPixmap& valid();
const QPixmap& vide();
// The tick pictures: 0 unticked, 1 ticked.
const QPixmap& oui(int i);
// Any other picture of the store by its file name ("clavier.png").
const QPixmap& image(const std::string& file_name);

}  // namespace icc
