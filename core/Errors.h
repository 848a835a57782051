#pragma once

#include <stdexcept>
#include <string>

namespace core {

// A failure that ends the running action; its message (UTF-8) is shown to the user by the
// application's error display.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Ends the running action without any message.
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

} // namespace core
