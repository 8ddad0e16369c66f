// The one type of failure that the library's own steps report.
#ifndef KERNOVA_BASE_ERROR_H_
#define KERNOVA_BASE_ERROR_H_

#include <stdexcept>
#include <string>

namespace kernova {

// A failure that ends a call: what failed and why. A file operation keeps
// its parts apart, so that each program words the message its own way:
// action() is what could not be done ("open", "create", "read", "write"),
// name() the file, and reason() the system's explanation (empty when there
// is none). what() is one line without a line end: "can not ACTION NAME:
// REASON", or the description given.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& description) : std::runtime_error(description) {}
  Error(std::string action, std::string name, std::string reason)
      : std::runtime_error("can not " + action + " " + name + (reason.empty() ? "" : ": " + reason)),
        action_(std::move(action)),
        name_(std::move(name)),
        reason_(std::move(reason)) {}

  const std::string& action() const { return action_; }
  const std::string& name() const { return name_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string action_;
  std::string name_;
  std::string reason_;
};

}  // namespace kernova

#endif  // KERNOVA_BASE_ERROR_H_
