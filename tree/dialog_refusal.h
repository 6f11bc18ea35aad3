#pragma once

#include <string>

namespace varnoke {

// A dialog's OK check that failed: the message to show, and the field it is about,
// which takes the focus back.
template <typename Field> struct Refusal {
    std::string message;
    Field field;
};

} // namespace varnoke
