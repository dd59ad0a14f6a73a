// A screen: one default instance per screen class, its own variables kept
// from one showing to the next, its controls created anew from their design
// state at each showing, then its load handler. Modal showing waits in a
// nested event loop until the screen unloads itself.
#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/grid.h"

namespace platform {

class form_window;

class form {
  public:
    explicit form(std::string name);
    virtual ~form();
    form(const form&) = delete;
    form& operator=(const form&) = delete;

    const std::string& name() const { return name_; }
    bool loaded() const { return window_ != nullptr; }
    bool modal() const { return modal_; }
    QWidget* window() const;

    // Geometry of the screen in twips.
    double left() const { return l_; }
    double top() const { return t_; }
    double width() const { return w_; }
    double height() const { return h_; }
    void set_left(double v);
    void set_top(double v);
    void set_width(double v);
    void set_height(double v);
    void move(double l, double t, double w, double h);
    void set_back_color(std::int64_t c);
    std::int64_t back_color() const { return back_; }
    void set_caption(const std::string& s);

    // Modeless showing (the main window). Loads the screen when needed.
    void show();
    // Modal showing, through the one modal entry point of the layer.
    void show_modal();
    // Unloads the screen: its load handler runs again at the next showing.
    void unload();

    // The controls in the order of the screen's control collection.
    const std::vector<control*>& controls() const { return order_; }
    control* find(const std::string& name, int index = -1) const;
    // Creates a control of the screen in its design state (from design(), or
    // from a helper that builds part of a screen's design).
    template <class T>
    T* add(const std::string& name, int index = -1) {
        T* c = new T(window());
        register_control(c, name, index);
        return c;
    }
    template <class T>
    T* get(const std::string& name, int index = -1) const {
        return dynamic_cast<T*>(find(name, index));
    }
    // Whether element `index` of a control array is loaded.
    bool has(const std::string& name, int index) const { return find(name, index) != nullptr; }

  protected:
    // Creates the controls in their design state.
    virtual void design() = 0;
    // The load handler, run after design() at each showing.
    virtual void form_load() {}
    // Run when the screen unloads, before its controls go.
    virtual void form_unload() {}
    // The user closed the window by the desktop's means (not through a
    // control of the screen): unload by default.
    virtual void closed_by_user() { unload(); }

    // Loads element `index` of a control array with the design of element 0,
    // hidden, as a control array does.
    template <class T>
    T* load_element(const std::string& name, int index) {
        if (auto* existing = dynamic_cast<T*>(find(name, index))) return existing;
        T* c = take_pooled<T>(name, index);
        if (!c) {
            c = new T(window());
            register_control(c, name, index);
        } else {
            reinsert(c);
        }
        if (control* first = find(name, 0)) c->copy_design_from(*first);
        c->set_visible(false);
        return c;
    }
    // Unloads element `index` (hidden at once, kept for reuse, deleted with the screen).
    void unload_element(const std::string& name, int index);

  private:
    friend class form_window;
    friend void show_modal(form& f);
    friend void unload_all_modal();
    void load_window(bool modal);
    void register_control(control* c, const std::string& name, int index);
    void reinsert(control* c);
    template <class T>
    T* take_pooled(const std::string& name, int index) {
        auto it = pool_.find({name, index});
        if (it == pool_.end()) return nullptr;
        T* c = dynamic_cast<T*>(it->second);
        if (c) pool_.erase(it);
        return c;
    }
    void apply_window_geometry();

    std::string name_;
    form_window* window_ = nullptr;
    QEventLoop* loop_ = nullptr;
    bool modal_ = false;
    double l_ = 0, t_ = 0, w_ = 4800, h_ = 3600;
    std::int64_t back_ = -1;
    std::string caption_;
    std::vector<control*> order_;
    std::map<std::pair<std::string, int>, control*> by_name_;
    std::map<std::pair<std::string, int>, control*> pool_;
};

// The one function through which every modal showing passes.
void show_modal(form& f);
// A screen by its name, for callers that may not depend on its code.
void show_modal(const std::string& screen_name);
// Registers a screen's default instance under its name.
bool register_form(const std::string& screen_name, std::function<form&()> instance);
form* find_form(const std::string& screen_name);

// Called inside the modal loop of every screen that opens, once it is loaded
// and shown: the scripted user of the tests.
using modal_hook = std::function<void(form&)>;
void set_modal_hook(modal_hook hook);
// The modal screens open now, innermost last.
const std::vector<form*>& open_modal_forms();
// Unloads every open modal screen (a test's watchdog).
void unload_all_modal();

}  // namespace platform
