#include "platform/folder_list.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>
#include <filesystem>

#include "platform/cp1252.h"
#include "platform/text.h"

namespace platform {

namespace {
// The path written without "." and ".." and without a final "/" (but "/").
std::string normal_form(const std::string& p) {
    std::string s = std::filesystem::path(p).lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s.empty() ? "." : s;
}
}  // namespace

folder_list::folder_list(QWidget* parent) : control_widget<QListWidget>(parent) {}

bool folder_list::set_path(const std::string& requested) {
    if (requested.empty()) return false;
    const std::string p = normal_form(requested);
    std::error_code ec;
    std::filesystem::directory_iterator it(p, ec);
    if (ec) return false;
    std::vector<std::string> names;
    for (std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (it->is_directory(ec2)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = txt::ucase(a), ub = txt::ucase(b);
        return ua != ub ? ua < ub : a < b;
    });

    const bool changed = p != path_;
    path_ = p;
    targets_.clear();
    clear();
    const std::filesystem::path here(p);
    if (const auto parent = here.parent_path(); !parent.empty() && parent != here) {
        const QIcon up = QApplication::style()->standardIcon(QStyle::SP_FileDialogToParent);
        addItem(new QListWidgetItem(up, ".."));
        targets_.push_back(parent.string());
    }
    const QIcon folder = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    for (const auto& n : names) {
        addItem(new QListWidgetItem(folder, cp1252::to_qt(n)));
        targets_.push_back((here / n).string());
    }
    if (changed && on_change) on_change();
    return true;
}

std::string folder_list::list(int i) const {
    const QListWidgetItem* it = item(i);
    return it ? cp1252::from_qt(it->text()) : std::string();
}

bool folder_list::enter(int i) {
    if (i < 0 || i >= static_cast<int>(targets_.size())) return false;
    // Copied: set_path rebuilds the entries.
    const std::string target = targets_[static_cast<std::size_t>(i)];
    return set_path(target);
}

void folder_list::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QListWidget::mouseDoubleClickEvent(e);
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (idx.isValid()) enter(idx.row());
    e->accept();
}

}  // namespace platform
