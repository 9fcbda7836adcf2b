// The one failure type that carries a message to the user. Whatever raises it
// expects the text to reach "[LastError]" (or stderr in the CLI) unchanged.
#pragma once
#include <stdexcept>
#include <string>

namespace tarvik {

class ETarvikError : public std::runtime_error {
 public:
  explicit ETarvikError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tarvik
