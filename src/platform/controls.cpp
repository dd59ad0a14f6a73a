#include "platform/controls.h"

#include <QKeyEvent>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "platform/colors.h"
#include "platform/cp1252.h"
#include "platform/text.h"

namespace platform {

int to_px(double twips) {
    return static_cast<int>(std::lround(twips / twips_per_pixel));
}
double to_twips(int px) {
    return static_cast<double>(px) * twips_per_pixel;
}
int point_to_px(double points) {
    return std::max(1, static_cast<int>(std::lround(points * 20.0 / twips_per_pixel)));
}

Qt::Alignment align::to_qt(int a) {
    Qt::Alignment h = Qt::AlignLeft, v = Qt::AlignVCenter;
    switch (a) {
        case left_top:
            v = Qt::AlignTop;
            break;
        case left_bottom:
            v = Qt::AlignBottom;
            break;
        case center_top:
            h = Qt::AlignHCenter;
            v = Qt::AlignTop;
            break;
        case center_center:
            h = Qt::AlignHCenter;
            break;
        case center_bottom:
            h = Qt::AlignHCenter;
            v = Qt::AlignBottom;
            break;
        case right_top:
            h = Qt::AlignRight;
            v = Qt::AlignTop;
            break;
        case right_center:
            h = Qt::AlignRight;
            break;
        case right_bottom:
            h = Qt::AlignRight;
            v = Qt::AlignBottom;
            break;
        default:
            break;
    }
    return h | v;
}

// ---------------------------------------------------------------- control

void control::init(form* owner, std::string name, int index) {
    owner_ = owner;
    name_ = std::move(name);
    index_ = index;
    apply_geometry();
    apply_font();
}

void control::move(double l, double t, double w, double h) {
    l_ = l;
    t_ = t;
    w_ = w;
    h_ = h;
    apply_geometry();
}

void control::apply_geometry() {
    widget()->setGeometry(to_px(l_), to_px(t_), std::max(0, to_px(w_)), std::max(0, to_px(h_)));
}

void control::set_visible(bool v) {
    visible_ = v;
    widget()->setVisible(v);
}

void control::set_enabled(bool v) {
    enabled_ = v;
    widget()->setEnabled(v);
}

void control::zorder_front() {
    widget()->raise();
}
void control::zorder_back() {
    widget()->lower();
}

void control::apply_palette() {
    QWidget* w = widget();
    QPalette pal = w->palette();
    if (back_ != -1) {
        pal.setColor(QPalette::Window, to_qcolor(back_));
        pal.setColor(QPalette::Base, to_qcolor(back_));
        pal.setColor(QPalette::Button, to_qcolor(back_));
    }
    if (fore_ != -1) {
        pal.setColor(QPalette::WindowText, to_qcolor(fore_));
        pal.setColor(QPalette::Text, to_qcolor(fore_));
        pal.setColor(QPalette::ButtonText, to_qcolor(fore_));
    }
    w->setPalette(pal);
    w->update();
}

bool control::set_back_color(std::int64_t c) {
    back_ = c;
    apply_palette();
    return true;
}

bool control::set_fore_color(std::int64_t c) {
    fore_ = c;
    apply_palette();
    return true;
}

void control::apply_font() {
    QFont f(QString::fromStdString(font_family_));
    f.setPixelSize(point_to_px(font_size_));
    f.setBold(bold_);
    f.setItalic(italic_);
    widget()->setFont(f);
}

void control::set_font_size(double points) {
    font_size_ = points > 0 ? points : 1;
    apply_font();
}
void control::set_font_bold(bool b) {
    bold_ = b;
    apply_font();
}
void control::set_font_italic(bool b) {
    italic_ = b;
    apply_font();
}
void control::set_font_name(const std::string& family) {
    font_family_ = family;
    apply_font();
}

void control::copy_design_from(const control& o) {
    tag = o.tag;
    font_family_ = o.font_family_;
    font_size_ = o.font_size_;
    bold_ = o.bold_;
    italic_ = o.italic_;
    back_ = o.back_;
    fore_ = o.fore_;
    on_click = o.on_click;
    on_dbl_click = o.on_dbl_click;
    enabled_ = o.enabled_;
    widget()->setEnabled(enabled_);
    move(o.l_, o.t_, o.w_, o.h_);
    apply_font();
    apply_palette();
}

bool control::handle_press(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !answers_touch()) return false;
    pressed_ = true;
    press_pos_ = e->position().toPoint();
    widget()->update();
    return true;
}

bool control::handle_release(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !answers_touch()) return false;
    QPointer<QWidget> alive(widget());
    const bool was_pressed = pressed_;
    pressed_ = false;
    widget()->update();
    if (!was_pressed || !widget()->rect().contains(e->position().toPoint())) return true;
    before_click(e->position().toPoint());
    // The handler may redraw the whole screen, hiding or releasing this very
    // control; widgets are only ever deleted later, so it stays valid here.
    if (on_click) on_click();
    (void)alive;
    return true;
}

bool control::handle_double_click(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !answers_touch()) return false;
    if (on_dbl_click) {
        before_click(e->position().toPoint());
        on_dbl_click();
        return true;
    }
    // Without a double-click handler the second tap of a quick pair is a tap
    // of its own: a waiter touching a key twice means two touches.
    return handle_press(e);
}

void control::paint_pressed(QWidget* w) {
    if (!pressed_) return;
    QPainter p(w);
    p.fillRect(w->rect(), QColor(0, 0, 0, 70));
    p.setPen(QPen(QColor(255, 255, 255, 200), 3));
    p.drawRect(w->rect().adjusted(1, 1, -2, -2));
}

// ---------------------------------------------------------------- label

label::label(QWidget* parent) : control_widget<QLabel>(parent) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
}

void label::set_caption(const std::string& s) {
    caption_ = s;
    setText(cp1252::to_qt(s));
}

void label::set_alignment(int a) {
    alignment_ = a;
    const Qt::Alignment h = a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    setAlignment(h | Qt::AlignTop);
}

void label::set_back_style(int s) {
    back_style_ = s;
    setAutoFillBackground(s != 0);
    update();
}

void label::set_word_wrap(bool w) {
    setWordWrap(w);
}

bool label::set_back_color(std::int64_t c) {
    control::set_back_color(c);
    return true;
}

void label::copy_design_from(const control& other) {
    control::copy_design_from(other);
    if (auto* o = dynamic_cast<const label*>(&other)) {
        set_caption(o->caption_);
        set_alignment(o->alignment_);
        set_back_style(o->back_style_);
        setWordWrap(o->wordWrap());
    }
}

// ---------------------------------------------------------------- picture

picture::picture(QWidget* parent) : control_widget<QWidget>(parent) {}

void picture::set_picture(const QPixmap& p) {
    pixmap_ = p;
    if (!stretch_ && !p.isNull()) {
        set_width(to_twips(p.width()));
        set_height(to_twips(p.height()));
    }
    update();
}

void picture::set_stretch(bool s) {
    stretch_ = s;
    update();
}

bool picture::set_fill_color(std::int64_t c) {
    fill_ = c;
    update();
    return true;
}

bool picture::set_back_color(std::int64_t c) {
    back_ = c;
    update();
    return true;
}

void picture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (back_ != -1) p.fillRect(rect(), to_qcolor(back_));
    if (!pixmap_.isNull()) {
        if (stretch_)
            p.drawPixmap(rect(), pixmap_);
        else
            p.drawPixmap(0, 0, pixmap_);
    }
    p.end();
    paint_pressed(this);
}

void picture::mousePressEvent(QMouseEvent* e) {
    QPointer<QWidget> alive(this);
    if (on_mouse_down && e->button() == Qt::LeftButton)
        on_mouse_down(to_twips(e->position().toPoint().x()), to_twips(e->position().toPoint().y()));
    if (alive) control_widget<QWidget>::mousePressEvent(e);
}

std::int64_t picture::point(double x, double y) const {
    if (pixmap_.isNull()) return -1;
    double px = x / twips_per_pixel, py = y / twips_per_pixel;
    if (stretch_ && width() > 0 && height() > 0) {
        px = px * pixmap_.width() / (width() / twips_per_pixel);
        py = py * pixmap_.height() / (height() / twips_per_pixel);
    }
    const int ix = static_cast<int>(std::floor(px)), iy = static_cast<int>(std::floor(py));
    if (ix < 0 || iy < 0 || ix >= pixmap_.width() || iy >= pixmap_.height()) return -1;
    return from_qcolor(pixmap_.toImage().pixelColor(ix, iy));
}

void picture::copy_design_from(const control& other) {
    if (auto* o = dynamic_cast<const picture*>(&other)) {
        stretch_ = o->stretch_;
        pixmap_ = o->pixmap_;
        fill_ = o->fill_;
    }
    control::copy_design_from(other);
    update();
}

// ---------------------------------------------------------------- picture_button

picture_button::picture_button(QWidget* parent) : control_widget<QWidget>(parent) {
    back_ = system_button_face;
}

void picture_button::set_picture(const QPixmap& p) {
    pixmap_ = p;
    update();
}

void picture_button::set_caption(const std::string& s) {
    caption_ = s;
    update();
}

void picture_button::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect r = rect();
    p.fillRect(r, to_qcolor(back_));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    QRect area = r.adjusted(4, 4, -4, -4);
    if (!caption_.empty()) area.setBottom(area.bottom() - fontMetrics().height());
    if (!pixmap_.isNull() && area.width() > 0 && area.height() > 0) {
        QSize s = pixmap_.size();
        if (s.width() > area.width() || s.height() > area.height()) s.scale(area.size(), Qt::KeepAspectRatio);
        const QRect target(area.x() + (area.width() - s.width()) / 2,
                           area.y() + (area.height() - s.height()) / 2, s.width(), s.height());
        p.drawPixmap(target, pixmap_);
    }
    if (!caption_.empty()) {
        p.setPen(fore_ != -1 ? to_qcolor(fore_) : QColor(0, 0, 0));
        p.drawText(r.adjusted(2, 0, -2, -2), Qt::AlignHCenter | Qt::AlignBottom, cp1252::to_qt(caption_));
    }
    p.end();
    paint_pressed(this);
}

void picture_button::copy_design_from(const control& other) {
    if (auto* o = dynamic_cast<const picture_button*>(&other)) {
        pixmap_ = o->pixmap_;
        caption_ = o->caption_;
    }
    control::copy_design_from(other);
}

// ---------------------------------------------------------------- text_box

text_box::text_box(QWidget* parent) : control_widget<QLineEdit>(parent) {
    connect(this, &QLineEdit::textChanged, [this](const QString& t) {
        if (composing_) return;
        // A letter followed by a combining mark (a physical keyboard, an input
        // method, a paste) is put together in the field itself, so that the
        // caret counts characters as the screens' code page text does.
        const QString composed = t.normalized(QString::NormalizationForm_C);
        if (composed != t) {
            const int caret =
                static_cast<int>(t.left(cursorPosition()).normalized(QString::NormalizationForm_C).size());
            composing_ = true;
            setText(composed);
            setCursorPosition(caret);
            composing_ = false;
        }
        if (on_change) on_change();
    });
}

std::string text_box::text() const {
    return cp1252::from_qt(QLineEdit::text());
}
void text_box::set_text(const std::string& s) {
    setText(cp1252::to_qt(s));
}

bool text_box::set_back_color(std::int64_t c) {
    return control::set_back_color(c);
}
bool text_box::set_fore_color(std::int64_t c) {
    return control::set_fore_color(c);
}

void text_box::keyPressEvent(QKeyEvent* e) {
    if (!on_key_press) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    int code = -1;
    switch (e->key()) {
        case Qt::Key_Backspace:
            code = 8;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            code = 13;
            break;
        case Qt::Key_Escape:
            code = 27;
            break;
        case Qt::Key_Tab:
            code = 9;
            break;
        default: {
            const std::string b = cp1252::from_qt(e->text());
            if (b.size() == 1) code = static_cast<unsigned char>(b[0]);
        }
    }
    if (code < 0) {
        QLineEdit::keyPressEvent(e);  // arrows, Home, End, Delete...
        return;
    }
    const int typed = code;
    on_key_press(code);
    if (code == 0) return;
    if (code == typed && code != 13 && code != 27 && code != 9) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (code == 8) {
        backspace();
        return;
    }
    if (code >= 32) insert(cp1252::to_qt(std::string(1, static_cast<char>(code))));
}

// ---------------------------------------------------------------- list_box

list_box::list_box(QWidget* parent) : control_widget<QListWidget>(parent) {}

void list_box::add_item(const std::string& s) {
    addItem(cp1252::to_qt(s));
}
void list_box::remove_item(int i) {
    delete takeItem(i);
}
void list_box::clear_items() {
    clear();
}
std::string list_box::list(int i) const {
    const QListWidgetItem* it = item(i);
    return it ? cp1252::from_qt(it->text()) : std::string();
}
void list_box::mouseReleaseEvent(QMouseEvent* e) {
    QListWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && on_click) on_click();
}
void list_box::mouseDoubleClickEvent(QMouseEvent* e) {
    QListWidget::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton && on_dbl_click && itemAt(e->position().toPoint())) on_dbl_click();
}

// ---------------------------------------------------------------- check_box

check_box::check_box(QWidget* parent) : control_widget<QCheckBox>(parent) {}
void check_box::set_caption(const std::string& s) {
    setText(cp1252::to_qt(s));
}
void check_box::mouseReleaseEvent(QMouseEvent* e) {
    QCheckBox::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && on_click) on_click();
}

// ---------------------------------------------------------------- timer

timer::timer(QWidget* parent) : control_widget<QWidget>(parent) {
    visible_ = false;
    setVisible(false);
    qtimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&qtimer_, &QTimer::timeout, [this] {
        if (on_timer) on_timer();
    });
}

void timer::set_interval(int ms) {
    interval_ = ms;
    if (ms <= 0)
        qtimer_.stop();
    else
        qtimer_.start(ms);
}

// ---------------------------------------------------------------- file_list

file_list::file_list(QWidget* parent) : control_widget<QListWidget>(parent) {}

bool matches_pattern(const std::string& name, const std::string& pattern) {
    // Iterative glob with backtracking on the last star.
    std::size_t n = 0, p = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || txt::same_nocase(std::string_view(&pattern[p], 1),
                                                                         std::string_view(&name[n], 1)))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

void file_list::refresh() {
    names_.clear();
    std::error_code ec;
    const std::filesystem::path folder =
        path.empty() ? std::filesystem::path(".") : std::filesystem::path(path);
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        const std::string name = it->path().filename().string();
        if (matches_pattern(name, pattern)) names_.push_back(name);
    }
    std::sort(names_.begin(), names_.end(),
              [](const std::string& a, const std::string& b) { return txt::ucase(a) < txt::ucase(b); });
    clear();
    for (const auto& n : names_) addItem(cp1252::to_qt(n));
}

std::string file_list::list(int i) const {
    if (i < 0 || i >= static_cast<int>(names_.size())) return {};
    return names_[static_cast<std::size_t>(i)];
}

}  // namespace platform
