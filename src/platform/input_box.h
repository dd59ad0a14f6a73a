// The standard input box: a title, a prompt and a line of text offered with
// a default value. It is a modal screen like any other (named "input_box"),
// so that it passes through the one modal entry point of the forms layer.
#pragma once

#include <string>

#include "platform/form.h"

namespace platform {

// The text typed (as typed, not trimmed), or "" when the box is cancelled.
std::string input_box(const std::string& prompt, const std::string& title, const std::string& default_value);

class input_box_form : public form {
  public:
    static input_box_form& instance();

  private:
    friend std::string input_box(const std::string&, const std::string&, const std::string&);
    input_box_form() : form("input_box") {}
    void design() override;
    void form_load() override;
    void closed_by_user() override { finish(false); }
    void finish(bool ok);

    std::string prompt_, title_, value_;
    bool ok_ = false;
};

}  // namespace platform
