#pragma once
// The program's exception: thrown only inside worker threads (a lock that
// cannot be taken) and caught at the thread's entry, which keeps the message.

#include <stdexcept>
#include <string>

class some_error : public std::logic_error {
 public:
  /// The message is "error: " followed by `reason`.
  explicit some_error(const std::string& reason) : std::logic_error("error: " + reason) {}
};
