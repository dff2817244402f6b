#pragma once
// Numbered errors. An operation fails by throwing a VbError; handlers that ignore errors
// run their steps through resumeNext.
#include "host/vb_types.h"
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace vx {

enum ErrorNumber : Long {
    errInvalidCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscript = 9,
    errTypeMismatch = 13,
    errObjectRequired = 424,
    errAlreadyLoaded = 360,
    errInvalidProperty = 380,
    errNoSuchMember = 438,
    errControlExists = 727,
    errNoSuchClass = 711,
};

class VbError : public std::runtime_error {
  public:
    VbError(Long number, const std::string& description);
    Long number() const { return number_; }
    std::string description() const { return what(); }

  private:
    Long number_;
};

// The standard text of an error number ("Overflow" for 6).
std::string errorText(Long number);
[[noreturn]] void raiseError(Long number);
[[noreturn]] void raiseError(Long number, const std::string& description);

// Runs every step in turn; an error in one step is swallowed and the next step runs.
void resumeNext(std::initializer_list<std::function<void()>> steps);

// "Run-time error 'N':" followed by the text, as the untrapped-error box shows it.
std::string untrappedMessage(const VbError& e);

} // namespace vx
