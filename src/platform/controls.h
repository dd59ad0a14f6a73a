// The controls of a form, over Qt Widgets: positions and sizes in twips
// (15 to a pixel), colours as 0xBBGGRR numbers, captions as code page 1252
// bytes, a click for a mouse click or a finger tap, and a pressed look while
// a key is held. Widgets are never deleted inside their own handlers.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

constexpr int twips_per_pixel = 15;
int to_px(double twips);
double to_twips(int px);
// A font size in points as pixels, independent of the display's resolution.
int point_to_px(double points);

class form;

// Alignments, numbered as the screens store them.
namespace align {
constexpr int left_top = 0, left_center = 1, left_bottom = 2, center_top = 3, center_center = 4,
              center_bottom = 5, right_top = 6, right_center = 7, right_bottom = 8, general = 9;
Qt::Alignment to_qt(int a);
}  // namespace align

class control {
  public:
    virtual ~control() = default;
    virtual QWidget* widget() = 0;
    const QWidget* widget() const { return const_cast<control*>(this)->widget(); }

    const std::string& name() const { return name_; }
    int index() const { return index_; }
    form* owner() const { return owner_; }
    // The colour class of the control ("" is class 0).
    std::string tag;

    double left() const { return l_; }
    double top() const { return t_; }
    double width() const { return w_; }
    double height() const { return h_; }
    void set_left(double v) {
        l_ = v;
        apply_geometry();
    }
    void set_top(double v) {
        t_ = v;
        apply_geometry();
    }
    virtual void set_width(double v) {
        w_ = v;
        apply_geometry();
    }
    virtual void set_height(double v) {
        h_ = v;
        apply_geometry();
    }
    void move(double l, double t, double w, double h);
    void move(double l, double t) {
        l_ = l;
        t_ = t;
        apply_geometry();
    }

    bool visible() const { return visible_; }
    void set_visible(bool v);
    bool enabled() const { return enabled_; }
    void set_enabled(bool v);
    void zorder_front();
    void zorder_back();

    // Colour properties; false when the control has none of that kind.
    virtual bool set_back_color(std::int64_t c);
    virtual bool set_fore_color(std::int64_t c);
    virtual bool set_fill_color(std::int64_t) { return false; }
    // Colours of the fixed cells of a grid.
    virtual bool set_fixed_back_color(std::int64_t) { return false; }
    virtual bool set_fixed_fore_color(std::int64_t) { return false; }
    std::int64_t back_color() const { return back_; }
    std::int64_t fore_color() const { return fore_; }

    double font_size() const { return font_size_; }
    void set_font_size(double points);
    bool font_bold() const { return bold_; }
    void set_font_bold(bool b);
    bool font_italic() const { return italic_; }
    void set_font_italic(bool b);
    void set_font_name(const std::string& family);

    std::function<void()> on_click;
    std::function<void()> on_dbl_click;
    // Programmatic touch, as the user's would be.
    void click() {
        if (on_click) on_click();
    }

    // Control arrays: a newly loaded element takes the design of element 0.
    virtual void copy_design_from(const control& other);

  protected:
    void init(form* owner, std::string name, int index);
    void apply_geometry();
    void apply_font();
    void apply_palette();
    bool handle_press(QMouseEvent* e);
    bool handle_release(QMouseEvent* e);
    bool handle_double_click(QMouseEvent* e);
    virtual void paint_pressed(QWidget* w);
    // Whether the control answers touches (and so shows a pressed look).
    virtual bool answers_touch() const { return bool(on_click) || bool(on_dbl_click); }
    // Hook for controls that use the position of the touch (grids).
    virtual void before_click(QPoint) {}

    std::string font_family_ = "DejaVu Sans";
    double font_size_ = 8.25;
    bool bold_ = false, italic_ = false;
    std::int64_t back_ = -1, fore_ = -1;
    bool pressed_ = false;
    QPoint press_pos_;
    bool visible_ = true, enabled_ = true;

  private:
    friend class form;
    form* owner_ = nullptr;
    std::string name_;
    int index_ = -1;
    double l_ = 0, t_ = 0, w_ = 1200, h_ = 480;
};

template <class Base>
class control_widget : public Base, public control {
  public:
    explicit control_widget(QWidget* parent) : Base(parent) {}
    QWidget* widget() override { return this; }
    // Geometry in twips wins over the widget's own pixel geometry.
    using control::click;
    using control::height;
    using control::move;
    using control::width;

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (!handle_press(e)) Base::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QPointer<QWidget> alive(this);
        if (!handle_release(e) && alive) Base::mouseReleaseEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (!handle_double_click(e)) Base::mouseDoubleClickEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        Base::paintEvent(e);
        paint_pressed(this);
    }
};

class label : public control_widget<QLabel> {
  public:
    explicit label(QWidget* parent);
    const std::string& caption() const { return caption_; }
    void set_caption(const std::string& s);
    // 0 left, 1 right, 2 centre.
    int alignment() const { return alignment_; }
    void set_alignment(int a);
    // Transparent (0) or opaque (1) background.
    void set_back_style(int s);
    void set_word_wrap(bool w);
    bool set_back_color(std::int64_t c) override;
    void copy_design_from(const control& other) override;

  private:
    std::string caption_;
    int alignment_ = 0;
    int back_style_ = 1;
};

// An image or picture box: a picture, stretched to the control or keeping
// its own size.
class picture : public control_widget<QWidget> {
  public:
    explicit picture(QWidget* parent);
    const QPixmap& pixmap() const { return pixmap_; }
    // Without stretch the control takes the picture's own size.
    void set_picture(const QPixmap& p);
    bool stretch() const { return stretch_; }
    void set_stretch(bool s);
    bool set_fill_color(std::int64_t c) override;
    bool set_back_color(std::int64_t c) override;
    // Colour (0xBBGGRR) of the picture at a point in twips, -1 outside it.
    std::int64_t point(double x, double y) const;
    // The press of a touch, with its position in twips inside the control.
    std::function<void(double x, double y)> on_mouse_down;
    void copy_design_from(const control& other) override;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

  private:
    QPixmap pixmap_;
    bool stretch_ = false;
    std::int64_t fill_ = -1;
};

// A command button showing a picture (and optionally a caption).
class picture_button : public control_widget<QWidget> {
  public:
    explicit picture_button(QWidget* parent);
    void set_picture(const QPixmap& p);
    const QPixmap& pixmap() const { return pixmap_; }
    void set_caption(const std::string& s);
    const std::string& caption() const { return caption_; }
    void copy_design_from(const control& other) override;

  protected:
    void paintEvent(QPaintEvent* e) override;
    bool answers_touch() const override { return true; }

  private:
    QPixmap pixmap_;
    std::string caption_;
};

class text_box : public control_widget<QLineEdit> {
  public:
    explicit text_box(QWidget* parent);
    std::string text() const;
    void set_text(const std::string& s);
    // Caret position, 0-based, as the screens count it.
    int sel_start() const { return cursorPosition(); }
    void set_sel_start(int p) { setCursorPosition(p); }
    // Called with the character code of a typed key (8 backspace, 13 Enter,
    // 27 Escape, else the code page 1252 code); the handler may change it,
    // 0 swallows the key.
    std::function<void(int& ascii)> on_key_press;
    // Called after every change of the text, typed or set.
    std::function<void()> on_change;
    bool set_back_color(std::int64_t c) override;
    bool set_fore_color(std::int64_t c) override;

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool answers_touch() const override { return false; }

  private:
    bool composing_ = false;
};

class list_box : public control_widget<QListWidget> {
  public:
    explicit list_box(QWidget* parent);
    void add_item(const std::string& s);
    void remove_item(int i);
    void clear_items();
    int list_count() const { return count(); }
    std::string list(int i) const;
    int list_index() const { return currentRow(); }
    void set_list_index(int i) { setCurrentRow(i); }

  protected:
    bool answers_touch() const override { return false; }
    void mouseReleaseEvent(QMouseEvent* e) override;
    // A double tap on an entry, once the entry is selected.
    void mouseDoubleClickEvent(QMouseEvent* e) override;
};

class check_box : public control_widget<QCheckBox> {
  public:
    explicit check_box(QWidget* parent);
    int value() const { return isChecked() ? 1 : 0; }
    void set_value(int v) { setChecked(v != 0); }
    void set_caption(const std::string& s);

  protected:
    bool answers_touch() const override { return false; }
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// A timer: interval in milliseconds (0 stops it), precise.
class timer : public control_widget<QWidget> {
  public:
    explicit timer(QWidget* parent);
    int interval() const { return interval_; }
    void set_interval(int ms);
    std::function<void()> on_timer;

  private:
    QTimer qtimer_;
    int interval_ = 0;
};

// The files of a folder that match a pattern ("*.-a-"), compared without
// regard to case, in ascending name order.
class file_list : public control_widget<QListWidget> {
  public:
    explicit file_list(QWidget* parent);
    std::string path;
    std::string pattern = "*.*";
    void refresh();
    int list_count() const { return static_cast<int>(names_.size()); }
    std::string list(int i) const;

  private:
    std::vector<std::string> names_;
};

// Case-insensitive match of a file name against a pattern with * and ?.
bool matches_pattern(const std::string& name, const std::string& pattern);

}  // namespace platform
