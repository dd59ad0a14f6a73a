// A folder list: the subfolders of one folder, with an entry to go up; a
// double tap on an entry enters it. The path is kept as the system's bytes.
#pragma once

#include <QListWidget>
#include <functional>
#include <string>

#include "platform/controls.h"

namespace platform {

class folder_list : public control_widget<QListWidget> {
  public:
    explicit folder_list(QWidget* parent);

    const std::string& path() const { return path_; }
    // False, with the path and entries unchanged, when the folder cannot be
    // opened. on_change follows every change of the path.
    bool set_path(const std::string& path);
    // Called whenever the path changes, by code or by navigation.
    std::function<void()> on_change;

    // Entries as shown: 0 is the way up (absent at the root), then the
    // subfolders by name without regard to case.
    int list_count() const { return count(); }
    std::string list(int i) const;
    // Enters entry i, as a double tap on it does.
    bool enter(int i);

  protected:
    bool answers_touch() const override { return false; }
    void mouseDoubleClickEvent(QMouseEvent* e) override;

  private:
    std::string path_;
    std::vector<std::string> targets_;
};

}  // namespace platform
