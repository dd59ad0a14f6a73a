#include "platform/form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "platform/colors.h"
#include "platform/cp1252.h"

namespace platform {

class form_window : public QWidget {
  public:
    explicit form_window(form* f) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), form_(f) {
        setAttribute(Qt::WA_AcceptTouchEvents);
    }
    void detach() { form_ = nullptr; }

  protected:
    void closeEvent(QCloseEvent* e) override {
        if (form_) {
            e->ignore();
            form_->closed_by_user();
        } else {
            e->accept();
        }
    }

  private:
    form* form_;
};

namespace {
modal_hook& hook() {
    static modal_hook h;
    return h;
}
std::vector<form*>& modal_stack() {
    static std::vector<form*> s;
    return s;
}
std::map<std::string, std::function<form&()>>& registry() {
    static std::map<std::string, std::function<form&()>> r;
    return r;
}
}  // namespace

form::form(std::string name) : name_(std::move(name)) {}

form::~form() {
    if (window_) {
        window_->detach();
        window_->deleteLater();
    }
}

QWidget* form::window() const {
    return window_;
}

void form::apply_window_geometry() {
    if (window_) window_->setGeometry(to_px(l_), to_px(t_), std::max(1, to_px(w_)), std::max(1, to_px(h_)));
}
void form::set_left(double v) {
    l_ = v;
    apply_window_geometry();
}
void form::set_top(double v) {
    t_ = v;
    apply_window_geometry();
}
void form::set_width(double v) {
    w_ = v;
    apply_window_geometry();
}
void form::set_height(double v) {
    h_ = v;
    apply_window_geometry();
}
void form::move(double l, double t, double w, double h) {
    l_ = l;
    t_ = t;
    w_ = w;
    h_ = h;
    apply_window_geometry();
}

void form::set_back_color(std::int64_t c) {
    back_ = c;
    if (window_) {
        QPalette pal = window_->palette();
        pal.setColor(QPalette::Window, to_qcolor(c));
        window_->setPalette(pal);
        window_->setAutoFillBackground(true);
    }
}

void form::set_caption(const std::string& s) {
    caption_ = s;
    if (window_) window_->setWindowTitle(cp1252::to_qt(s));
}

control* form::find(const std::string& name, int index) const {
    auto it = by_name_.find({name, index});
    return it == by_name_.end() ? nullptr : it->second;
}

void form::register_control(control* c, const std::string& name, int index) {
    c->init(this, name, index);
    c->widget()->setVisible(c->visible());
    order_.push_back(c);
    by_name_[{name, index}] = c;
}

void form::reinsert(control* c) {
    order_.push_back(c);
    by_name_[{c->name(), c->index()}] = c;
}

void form::unload_element(const std::string& name, int index) {
    auto it = by_name_.find({name, index});
    if (it == by_name_.end()) return;
    control* c = it->second;
    by_name_.erase(it);
    order_.erase(std::remove(order_.begin(), order_.end(), c), order_.end());
    c->set_visible(false);
    pool_[{name, index}] = c;
}

void form::load_window(bool modal) {
    modal_ = modal;
    window_ = new form_window(this);
    window_->setWindowTitle(QString::fromStdString(name_));
    window_->setObjectName(QString::fromStdString(name_));
    if (modal) window_->setWindowModality(Qt::ApplicationModal);
    order_.clear();
    by_name_.clear();
    pool_.clear();
    back_ = -1;
    design();
    apply_window_geometry();
    if (back_ != -1) set_back_color(back_);
    form_load();
}

void form::show() {
    if (!window_) {
        load_window(false);
        if (!window_) return;
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void form::show_modal() {
    platform::show_modal(*this);
}

void form::unload() {
    if (!window_) return;
    form_unload();
    if (!window_) return;
    // A timer of a screen that has gone must not fire into the next one.
    for (control* c : order_)
        if (auto* t = dynamic_cast<timer*>(c)) t->set_interval(0);
    for (auto& [key, c] : pool_)
        if (auto* t = dynamic_cast<timer*>(c)) t->set_interval(0);
    form_window* w = window_;
    window_ = nullptr;
    w->detach();
    w->hide();
    // Never deleted here: the handler that unloads the screen may belong to
    // one of its own controls.
    w->deleteLater();
    order_.clear();
    by_name_.clear();
    pool_.clear();
    if (loop_) loop_->quit();
}

void show_modal(form& f) {
    if (f.loaded()) return;  // already on screen: showing it twice is refused
    f.load_window(true);
    if (!f.loaded()) return;  // unloaded itself while loading
    f.window_->show();
    f.window_->raise();
    f.window_->activateWindow();
    auto& stack = modal_stack();
    stack.push_back(&f);
    if (hook()) hook()(f);
    if (f.loaded()) {
        QEventLoop loop;
        f.loop_ = &loop;
        loop.exec();
        f.loop_ = nullptr;
    }
    stack.erase(std::remove(stack.begin(), stack.end(), &f), stack.end());
}

void show_modal(const std::string& screen_name) {
    if (form* f = find_form(screen_name)) show_modal(*f);
}

bool register_form(const std::string& screen_name, std::function<form&()> instance) {
    registry()[screen_name] = std::move(instance);
    return true;
}

form* find_form(const std::string& screen_name) {
    auto it = registry().find(screen_name);
    return it == registry().end() ? nullptr : &it->second();
}

void set_modal_hook(modal_hook h) {
    hook() = std::move(h);
}

const std::vector<form*>& open_modal_forms() {
    return modal_stack();
}

void unload_all_modal() {
    auto stack = modal_stack();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) (*it)->unload();
}

}  // namespace platform
