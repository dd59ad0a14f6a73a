#include "platform/input_box.h"

#include <algorithm>

#include "platform/services.h"

namespace platform {

namespace {
constexpr double box_width = 6600, box_height = 2880;
}

input_box_form& input_box_form::instance() {
    static input_box_form* f = new input_box_form;
    return *f;
}

void input_box_form::design() {
    move(0, 0, box_width, box_height);
    set_back_color(0xF0F0F0);

    auto* title = add<label>("Label0");
    title->move(0, 0, box_width, 420);
    title->set_font_bold(true);
    title->set_font_size(11);
    title->set_back_color(0x804000);
    title->set_fore_color(0xFFFFFF);

    auto* prompt = add<label>("Label1");
    prompt->move(180, 540, box_width - 360, 600);
    prompt->set_font_size(11);
    prompt->set_back_style(0);

    auto* line = add<text_box>("Text1");
    line->move(180, 1200, box_width - 360, 480);
    line->set_font_size(12);
    line->on_key_press = [this](int& ascii) {
        if (ascii == 13 || ascii == 27) {
            const bool ok = ascii == 13;
            ascii = 0;
            finish(ok);
        }
    };

    auto* ok = add<picture_button>("bt_ok");
    ok->move(box_width - 3600, 1980, 1560, 660);
    ok->set_caption("OK");
    ok->set_font_size(11);
    ok->on_click = [this] { finish(true); };

    auto* cancel = add<picture_button>("bt_annule");
    cancel->move(box_width - 1920, 1980, 1740, 660);
    cancel->set_caption("Annuler");
    cancel->set_font_size(11);
    cancel->on_click = [this] { finish(false); };
}

void input_box_form::form_load() {
    move(std::max(0.0, (screen_width_twips() - box_width) / 2),
         std::max(0.0, (screen_height_twips() - box_height) / 3), box_width, box_height);
    set_caption(title_);
    get<label>("Label0")->set_caption(" " + title_);
    get<label>("Label1")->set_caption(prompt_);
    auto* line = get<text_box>("Text1");
    line->set_text(value_);
    line->selectAll();
    line->setFocus();
}

void input_box_form::finish(bool ok) {
    ok_ = ok;
    value_ = ok ? get<text_box>("Text1")->text() : std::string();
    unload();
}

std::string input_box(const std::string& prompt, const std::string& title, const std::string& default_value) {
    auto& f = input_box_form::instance();
    f.prompt_ = prompt;
    f.title_ = title;
    f.value_ = default_value;
    f.ok_ = false;
    f.show_modal();
    // Closed by any other means than its own buttons: cancelled.
    if (!f.ok_) return {};
    return f.value_;
}

namespace {
const bool registered = register_form("input_box", []() -> form& { return input_box_form::instance(); });
}

}  // namespace platform
