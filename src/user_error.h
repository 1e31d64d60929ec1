#pragma once
// A failure the user must be told of ("Cannot open clipboard", "Unable to
// write to ..."): it ends the command that raised it, every window's
// procedure shows its text in the error box, and the program goes on.
#include <stdexcept>

namespace ks {

class UserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace ks
