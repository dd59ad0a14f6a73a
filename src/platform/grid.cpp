#include "platform/grid.h"

#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <algorithm>

#include "platform/colors.h"
#include "platform/cp1252.h"

namespace platform {

namespace {
constexpr double default_col_width = 960;
constexpr double default_row_height = 240;

// The grid's scroll bar is sized for a finger: its arrows and its slider are
// at least as long as the bar is wide, where the desktop style would draw
// arrows of a few pixels.
class finger_scroll_style : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
        if (m == PM_ScrollBarExtent || m == PM_ScrollBarSliderMin) {
            const auto* bar = qobject_cast<const QScrollBar*>(w);
            const QRect r = bar ? bar->rect() : o ? o->rect : QRect();
            const int across = bar && bar->orientation() == Qt::Horizontal ? r.height() : r.width();
            if (across > 0) return across;
        }
        return QProxyStyle::pixelMetric(m, o, w);
    }
    // The desktop style's arrow glyph keeps its few pixels in a larger
    // button: an arrow half the button's size is drawn over it.
    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* o, QPainter* p,
                            const QWidget* w) const override {
        QProxyStyle::drawComplexControl(cc, o, p, w);
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(o);
        if (cc != CC_ScrollBar || !bar || bar->orientation != Qt::Vertical) return;
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(Qt::NoPen);
        p->setBrush(bar->palette.color((bar->state & State_Enabled) ? QPalette::Active : QPalette::Disabled,
                                       QPalette::ButtonText));
        for (const SubControl sc : {SC_ScrollBarSubLine, SC_ScrollBarAddLine}) {
            const QRectF r = subControlRect(cc, o, sc, w);
            if (r.isEmpty()) continue;
            const double half_w = r.width() / 4, half_h = r.height() / 6;
            const QPointF c = r.center();
            const double tip = sc == SC_ScrollBarSubLine ? -half_h : half_h;
            const QPointF arrow[3] = {
                {c.x() - half_w, c.y() - tip}, {c.x() + half_w, c.y() - tip}, {c.x(), c.y() + tip}};
            p->drawPolygon(arrow, 3);
        }
        p->restore();
    }
};

// One for every grid, for the program's whole run.
QStyle* finger_style() {
    static auto* style = new finger_scroll_style;
    return style;
}
}  // namespace

grid::grid(QWidget* parent) : control_widget<QWidget>(parent) {
    back_ = 0xFFFFFF;
    fore_ = 0;
    // No cells exist yet: start from an empty grid so that nothing is copied.
    const int rows = rows_, cols = cols_;
    rows_ = cols_ = 0;
    resize_cells(rows, cols);
}

void grid::resize_cells(int rows, int cols) {
    rows = std::max(0, rows);
    cols = std::max(0, cols);
    std::vector<cell> next(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c)
            next[static_cast<std::size_t>(r * cols + c)] =
                std::move(cells_[static_cast<std::size_t>(r * cols_ + c)]);
    cells_ = std::move(next);
    rows_ = rows;
    cols_ = cols;
    col_width_.resize(static_cast<std::size_t>(cols), default_col_width);
    col_align_.resize(static_cast<std::size_t>(cols), align::general);
    fixed_align_.resize(static_cast<std::size_t>(cols), -1);
    row_height_.resize(static_cast<std::size_t>(rows), -1);
    row_ = std::clamp(row_, 0, std::max(0, rows - 1));
    col_ = std::clamp(col_, 0, std::max(0, cols - 1));
    refresh();
}

void grid::set_rows(int n) {
    resize_cells(n, cols_);
}
void grid::set_cols(int n) {
    resize_cells(rows_, n);
}
void grid::set_fixed_rows(int n) {
    // The first shown row follows the fixed rows unless it was scrolled.
    const bool at_start = top_row_ == fixed_rows_;
    fixed_rows_ = std::max(0, n);
    top_row_ = at_start ? fixed_rows_ : std::max(top_row_, fixed_rows_);
    refresh();
}
void grid::set_fixed_cols(int n) {
    fixed_cols_ = std::max(0, n);
    refresh();
}
void grid::set_top_row(int r) {
    top_row_ = std::clamp(r, fixed_rows_, std::max(fixed_rows_, rows_ - 1));
    refresh();
}

grid::cell* grid::at(int r, int c) {
    if (r < 0 || c < 0 || r >= rows_ || c >= cols_) return nullptr;
    return &cells_[static_cast<std::size_t>(r * cols_ + c)];
}
const grid::cell* grid::at(int r, int c) const {
    return const_cast<grid*>(this)->at(r, c);
}

std::string grid::text(int r, int c) const {
    const cell* x = at(r, c);
    return x ? x->text : std::string();
}
void grid::set_text(int r, int c, const std::string& s) {
    if (cell* x = at(r, c)) {
        x->text = s;
        refresh();
    }
}

double grid::col_width(int c) const {
    return c >= 0 && c < cols_ ? col_width_[static_cast<std::size_t>(c)] : 0;
}
void grid::set_col_width(int c, double tw) {
    if (c >= 0 && c < cols_) col_width_[static_cast<std::size_t>(c)] = std::max(0.0, tw);
    refresh();
}
int grid::col_alignment(int c) const {
    return c >= 0 && c < cols_ ? col_align_[static_cast<std::size_t>(c)] : 0;
}
void grid::set_col_alignment(int c, int a) {
    if (c >= 0 && c < cols_) col_align_[static_cast<std::size_t>(c)] = a;
    refresh();
}
void grid::set_fixed_alignment(int c, int a) {
    if (c >= 0 && c < cols_) fixed_align_[static_cast<std::size_t>(c)] = a;
    refresh();
}
double grid::row_height(int r) const {
    if (r < 0 || r >= rows_) return 0;
    const double h = row_height_[static_cast<std::size_t>(r)];
    const double font_h = std::max(default_row_height, point_to_px(font_size_) * 1.5 * twips_per_pixel);
    return std::max(h < 0 ? font_h : h, row_height_min_);
}
void grid::set_row_height(int r, double tw) {
    if (r >= 0 && r < rows_) row_height_[static_cast<std::size_t>(r)] = std::max(0.0, tw);
    refresh();
}
void grid::set_row_height_min(double tw) {
    row_height_min_ = std::max(0.0, tw);
    refresh();
}
void grid::set_word_wrap(bool w) {
    word_wrap_ = w;
    refresh();
}

void grid::set_cell_picture(int r, int c, const QPixmap& p) {
    if (cell* x = at(r, c)) {
        x->pic = p;
        refresh();
    }
}
const QPixmap& grid::cell_picture(int r, int c) const {
    static const QPixmap none;
    const cell* x = at(r, c);
    return x ? x->pic : none;
}
void grid::set_cell_picture_alignment(int r, int c, int a) {
    if (cell* x = at(r, c)) x->pic_align = a;
    refresh();
}
void grid::set_cell_alignment(int r, int c, int a) {
    if (cell* x = at(r, c)) x->align = a;
    refresh();
}
void grid::set_cell_back_color(int r, int c, std::int64_t col) {
    if (cell* x = at(r, c)) x->back = col;
    refresh();
}
std::int64_t grid::cell_back_color(int r, int c) const {
    const cell* x = at(r, c);
    return x ? x->back : -1;
}
void grid::set_cell_fore_color(int r, int c, std::int64_t col) {
    if (cell* x = at(r, c)) x->fore = col;
    refresh();
}
void grid::set_cell_font_size(int r, int c, double pt) {
    if (cell* x = at(r, c)) x->font_size = static_cast<float>(pt);
    refresh();
}
void grid::set_cell_font_bold(int r, int c, bool b) {
    if (cell* x = at(r, c)) x->bold = b;
    refresh();
}
void grid::set_cell_font_italic(int r, int c, bool b) {
    if (cell* x = at(r, c)) x->italic = b;
    refresh();
}

void grid::add_item(const std::string& tabbed, int index) {
    if (index < 0 || index > rows_) index = rows_;
    resize_cells(rows_ + 1, cols_);
    // Move rows down to open row `index`.
    for (int r = rows_ - 1; r > index; --r) {
        for (int c = 0; c < cols_; ++c) *at(r, c) = std::move(*at(r - 1, c));
        row_height_[static_cast<std::size_t>(r)] = row_height_[static_cast<std::size_t>(r - 1)];
    }
    for (int c = 0; c < cols_; ++c) *at(index, c) = cell{};
    row_height_[static_cast<std::size_t>(index)] = -1;
    std::size_t start = 0;
    for (int c = 0; c < cols_; ++c) {
        const std::size_t tab = tabbed.find('\t', start);
        at(index, c)->text = tabbed.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    refresh();
}

void grid::remove_item(int index) {
    if (index < 0 || index >= rows_) return;
    for (int r = index; r < rows_ - 1; ++r) {
        for (int c = 0; c < cols_; ++c) *at(r, c) = std::move(*at(r + 1, c));
        row_height_[static_cast<std::size_t>(r)] = row_height_[static_cast<std::size_t>(r + 1)];
    }
    resize_cells(rows_ - 1, cols_);
}

void grid::clear() {
    for (auto& x : cells_) {
        x.text.clear();
        x.pic = QPixmap();
    }
    refresh();
}

void grid::set_redraw(bool on) {
    redraw_ = on;
    refresh();
}

bool grid::set_back_color(std::int64_t c) {
    back_ = c;
    refresh();
    return true;
}
bool grid::set_fore_color(std::int64_t c) {
    fore_ = c;
    refresh();
    return true;
}
bool grid::set_fixed_back_color(std::int64_t c) {
    fixed_back_ = c;
    refresh();
    return true;
}
bool grid::set_fixed_fore_color(std::int64_t c) {
    fixed_fore_ = c;
    refresh();
    return true;
}
void grid::set_back_color_bkg(std::int64_t c) {
    bkg_ = c;
    refresh();
}
void grid::set_grid_lines(bool on) {
    grid_lines_ = on;
    refresh();
}

void grid::refresh() {
    if (!redraw_) return;
    sync_scroll_bar();
    update();
}

void grid::set_scroll_bar(bool on, double width) {
    scroll_width_ = std::max(0.0, width);
    if (on && !scroll_) {
        scroll_ = new QScrollBar(Qt::Vertical, this);
        scroll_->setStyle(finger_style());
        QObject::connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
            if (v != top_row_) set_top_row(v);
        });
    } else if (!on && scroll_) {
        scroll_->hide();
        scroll_->deleteLater();
        scroll_ = nullptr;
    }
    refresh();
}

// The first shown row at which the last row is at the bottom of the grid.
int grid::last_top_row() const {
    int room = height() > 0 ? to_px(height()) : 0;
    for (int i = 0; i < fixed_rows_ && i < rows_; ++i) room -= to_px(row_height(i));
    int r = rows_ - 1;
    int used = r >= fixed_rows_ ? to_px(row_height(r)) : 0;
    while (r > fixed_rows_ && used + to_px(row_height(r - 1)) <= room) used += to_px(row_height(--r));
    return std::max(fixed_rows_, r);
}

bool grid::row_shown(int r) const {
    if (r < 0 || r >= rows_) return false;
    const QRect cr = cell_rect(r, 0);
    return !cr.isEmpty() && cr.bottom() < QWidget::height();
}

void grid::show_row(int r) {
    if (r < fixed_rows_ || r >= rows_) return;
    if (r < top_row_) {
        set_top_row(r);
        return;
    }
    if (row_shown(r)) return;
    // The first shown row that puts row r at the bottom of the grid.
    int room = to_px(height());
    for (int i = 0; i < fixed_rows_; ++i) room -= to_px(row_height(i));
    int top = r, used = to_px(row_height(r));
    while (top > fixed_rows_ && used + to_px(row_height(top - 1)) <= room) used += to_px(row_height(--top));
    set_top_row(top);
}

void grid::sync_scroll_bar() {
    if (!scroll_) return;
    const int w = to_px(scroll_width_);
    scroll_->setGeometry(QWidget::width() - w, 0, w, QWidget::height());
    const QSignalBlocker quiet(scroll_);
    scroll_->setRange(fixed_rows_, last_top_row());
    scroll_->setPageStep(std::max(1, last_top_row() > fixed_rows_ ? rows_ - last_top_row() : 1));
    scroll_->setValue(top_row_);
    scroll_->setVisible(last_top_row() > fixed_rows_);
}

void grid::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    refresh();
}

void grid::keyPressEvent(QKeyEvent* e) {
    if (!on_key_press) {
        QWidget::keyPressEvent(e);
        return;
    }
    int code = -1;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        code = 13;
    } else if (e->key() == Qt::Key_Escape) {
        code = 27;
    } else {
        const std::string b = cp1252::from_qt(e->text());
        if (b.size() == 1) code = static_cast<unsigned char>(b[0]);
    }
    if (code < 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    on_key_press(code);
}

// Rows drawn: the fixed rows, then rows from top_row_ on. Columns: all, from 0.
QRect grid::cell_rect(int r, int c) const {
    if (r < 0 || c < 0 || r >= rows_ || c >= cols_) return {};
    if (r >= fixed_rows_ && r < top_row_) return {};
    int x = 0;
    for (int i = 0; i < c; ++i) x += to_px(col_width(i));
    int y = 0;
    for (int i = 0; i < fixed_rows_ && i < rows_ && i < r; ++i) y += to_px(row_height(i));
    if (r >= fixed_rows_)
        for (int i = std::max(top_row_, fixed_rows_); i < r; ++i) y += to_px(row_height(i));
    return QRect(x, y, to_px(col_width(c)), to_px(row_height(r)));
}

void grid::paint_pressed(QWidget*) {
    if (!pressed_) return;
    int r, c;
    if (!cell_at(press_pos_, &r, &c)) return;
    QPainter p(this);
    const QRect cr = cell_rect(r, c);
    p.fillRect(cr, QColor(0, 0, 0, 70));
    p.setPen(QPen(QColor(255, 255, 255, 200), 3));
    p.drawRect(cr.adjusted(1, 1, -2, -2));
}

int grid::cell_at(QPoint pos, int* out_r, int* out_c) const {
    int x = 0, c = -1;
    for (int i = 0; i < cols_; ++i) {
        const int w = to_px(col_width(i));
        if (pos.x() >= x && pos.x() < x + w) {
            c = i;
            break;
        }
        x += w;
    }
    int y = 0, r = -1;
    auto visit = [&](int i) {
        const int h = to_px(row_height(i));
        if (r < 0 && pos.y() >= y && pos.y() < y + h) r = i;
        y += h;
    };
    for (int i = 0; i < fixed_rows_ && i < rows_; ++i) visit(i);
    for (int i = std::max(top_row_, fixed_rows_); i < rows_ && y <= pos.y(); ++i) visit(i);
    *out_r = r;
    *out_c = c;
    return r >= 0 && c >= 0;
}

void grid::before_click(QPoint pos) {
    if (on_key_press) setFocus(Qt::MouseFocusReason);
    int r, c;
    cell_at(pos, &r, &c);
    mouse_row_ = r;
    mouse_col_ = c;
    if (r >= fixed_rows_ && c >= fixed_cols_) {
        row_ = r;
        col_ = c;
    }
    if (r >= 0 && c >= 0 && on_cell_click) on_cell_click(r, c);
}

void grid::click_cell(int r, int c) {
    mouse_row_ = r;
    mouse_col_ = c;
    if (r >= fixed_rows_ && c >= fixed_cols_) {
        row_ = r;
        col_ = c;
    }
    if (on_cell_click) on_cell_click(r, c);
    if (on_click) on_click();
}

void grid::wheelEvent(QWheelEvent* e) {
    const int steps = e->angleDelta().y() / 120;
    if (steps != 0) set_top_row(top_row_ - steps);
    e->accept();
}

void grid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.fillRect(rect(), to_qcolor(bkg_));
    const QFont base = font();
    std::vector<int> rows_drawn;
    for (int i = 0; i < fixed_rows_ && i < rows_; ++i) rows_drawn.push_back(i);
    int y = 0;
    auto draw_row = [&](int r) {
        const int h = to_px(row_height(r));
        if (h <= 0) return;
        int x = 0;
        for (int c = 0; c < cols_; ++c) {
            const int w = to_px(col_width(c));
            if (w <= 0) continue;
            if (x > rect().width()) break;
            const QRect cr(x, y, w, h);
            const cell& k = *at(r, c);
            const bool fixed = r < fixed_rows_ || c < fixed_cols_;
            std::int64_t back = k.back != -1 ? k.back : (fixed ? fixed_back_ : back_);
            std::int64_t fore = k.fore != -1 ? k.fore : (fixed ? fixed_fore_ : fore_);
            p.fillRect(cr, to_qcolor(back));
            if (!k.pic.isNull()) {
                QSize s = k.pic.size();
                const QRect area = cr.adjusted(1, 1, -1, -1);
                if (s.width() > area.width() || s.height() > area.height())
                    s.scale(area.size(), Qt::KeepAspectRatio);
                QRect target(QPoint(0, 0), s);
                const Qt::Alignment a = align::to_qt(k.pic_align);
                int tx = a & Qt::AlignLeft    ? area.left()
                         : a & Qt::AlignRight ? area.right() - s.width() + 1
                                              : area.center().x() - s.width() / 2;
                int ty = a & Qt::AlignTop      ? area.top()
                         : a & Qt::AlignBottom ? area.bottom() - s.height() + 1
                                               : area.center().y() - s.height() / 2;
                target.moveTo(tx, ty);
                p.drawPixmap(target, k.pic);
            }
            if (!k.text.empty()) {
                QFont f = base;
                if (k.font_size > 0) f.setPixelSize(point_to_px(k.font_size));
                f.setBold(k.bold || base.bold());
                f.setItalic(k.italic || base.italic());
                p.setFont(f);
                p.setPen(to_qcolor(fore));
                int a = k.align;
                if (a < 0)
                    a = (r < fixed_rows_ && fixed_align_[static_cast<std::size_t>(c)] >= 0)
                            ? fixed_align_[static_cast<std::size_t>(c)]
                            : col_align_[static_cast<std::size_t>(c)];
                if (a == align::general) a = align::left_center;
                int flags = static_cast<int>(align::to_qt(a));
                if (word_wrap_) flags |= Qt::TextWordWrap;
                p.drawText(cr.adjusted(3, 1, -3, -1), flags, cp1252::to_qt(k.text));
            }
            if (grid_lines_) {
                p.setPen(QColor(160, 160, 160));
                p.drawRect(cr.adjusted(0, 0, -1, -1));
            }
            x += w;
        }
        y += h;
    };
    for (int r : rows_drawn) draw_row(r);
    for (int r = std::max(top_row_, fixed_rows_); r < rows_ && y < rect().height(); ++r) draw_row(r);
    p.end();
    paint_pressed(this);
}

}  // namespace platform
