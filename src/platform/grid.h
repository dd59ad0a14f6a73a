// The grid: rows and columns of cells with text, picture, alignment, colours
// and font, fixed rows and columns, a first shown row, and a click that tells
// the touched row and column. Used for function bars, key grids and lists.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QScrollBar>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace platform {

class grid : public control_widget<QWidget> {
  public:
    explicit grid(QWidget* parent);

    int rows() const { return rows_; }
    void set_rows(int n);
    int cols() const { return cols_; }
    void set_cols(int n);
    int fixed_rows() const { return fixed_rows_; }
    void set_fixed_rows(int n);
    int fixed_cols() const { return fixed_cols_; }
    void set_fixed_cols(int n);

    // Current cell.
    int row() const { return row_; }
    void set_row(int r) { row_ = r; }
    int col() const { return col_; }
    void set_col(int c) { col_ = c; }
    // First non-fixed row shown.
    int top_row() const { return top_row_; }
    void set_top_row(int r);
    // The cell of the last touch.
    int mouse_row() const { return mouse_row_; }
    int mouse_col() const { return mouse_col_; }

    std::string text(int r, int c) const;
    void set_text(int r, int c, const std::string& s);
    std::string text() const { return text(row_, col_); }
    void set_text(const std::string& s) { set_text(row_, col_, s); }

    double col_width(int c) const;
    void set_col_width(int c, double twips);
    int col_alignment(int c) const;
    void set_col_alignment(int c, int a);
    void set_fixed_alignment(int c, int a);
    double row_height(int r) const;
    void set_row_height(int r, double twips);
    void set_row_height_min(double twips);
    void set_word_wrap(bool w);

    // Per-cell formatting, by row and column.
    void set_cell_picture(int r, int c, const QPixmap& p);
    const QPixmap& cell_picture(int r, int c) const;
    void set_cell_picture_alignment(int r, int c, int a);
    void set_cell_alignment(int r, int c, int a);
    void set_cell_back_color(int r, int c, std::int64_t col);
    std::int64_t cell_back_color(int r, int c) const;
    void set_cell_fore_color(int r, int c, std::int64_t col);
    void set_cell_font_size(int r, int c, double pt);
    void set_cell_font_bold(int r, int c, bool b);
    void set_cell_font_italic(int r, int c, bool b);

    // Adds a row (cells separated by tabs) at the end or before index.
    void add_item(const std::string& tabbed, int index = -1);
    void remove_item(int index);
    // Empties every cell's text and picture; sizes and formats stay.
    void clear();
    // Suspends (false) and resumes (true) repainting.
    void set_redraw(bool on);

    bool set_back_color(std::int64_t c) override;
    bool set_fore_color(std::int64_t c) override;
    bool set_fixed_back_color(std::int64_t c) override;
    bool set_fixed_fore_color(std::int64_t c) override;
    void set_back_color_bkg(std::int64_t c);
    void set_grid_lines(bool on);

    // Touch of a cell; row and column also in mouse_row() and mouse_col().
    std::function<void(int row, int col)> on_cell_click;
    // A key typed while the grid has the focus (13 Enter, 27 Escape, else the
    // code page 1252 code). The grid takes the focus when it is touched.
    std::function<void(int& ascii)> on_key_press;
    // A vertical scroll bar in the grid's right `width` twips, for lists
    // longer than the grid that a finger must page through.
    void set_scroll_bar(bool on, double width = 280);
    double scroll_bar_width() const { return scroll_ ? scroll_width_ : 0; }
    // Scrolls the least that shows row r whole (a fixed row is always shown).
    void show_row(int r);
    // Whether row r is drawn whole inside the grid now.
    bool row_shown(int r) const;
    // Programmatic touch of a cell, as the user's would be.
    void click_cell(int r, int c);
    // The widget rectangle (pixels) of a cell as drawn now, empty when hidden.
    QRect cell_rect(int r, int c) const;

  protected:
    void paintEvent(QPaintEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool answers_touch() const override { return true; }
    void before_click(QPoint pos) override;
    void paint_pressed(QWidget* w) override;

  private:
    struct cell {
        std::string text;
        QPixmap pic;
        int pic_align = align::center_center;
        int align = -1;
        std::int64_t back = -1, fore = -1;
        float font_size = 0;
        bool bold = false, italic = false;
    };
    cell* at(int r, int c);
    const cell* at(int r, int c) const;
    void resize_cells(int rows, int cols);
    void refresh();
    int cell_at(QPoint pos, int* r, int* c) const;
    int last_top_row() const;
    void sync_scroll_bar();

    int rows_ = 2, cols_ = 2, fixed_rows_ = 1, fixed_cols_ = 1;
    int row_ = 1, col_ = 1, top_row_ = 1, mouse_row_ = -1, mouse_col_ = -1;
    std::vector<cell> cells_;
    std::vector<double> col_width_;
    std::vector<int> col_align_, fixed_align_;
    std::vector<double> row_height_;
    double row_height_min_ = 0;
    QPointer<QScrollBar> scroll_;
    double scroll_width_ = 280;
    bool redraw_ = true, word_wrap_ = false, grid_lines_ = true;
    std::int64_t fixed_back_ = system_button_face_value(), fixed_fore_ = 0, bkg_ = 0x808080;

    static std::int64_t system_button_face_value() { return static_cast<std::int32_t>(0x8000000F); }
};

}  // namespace platform
