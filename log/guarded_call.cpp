#include "log/guarded_call.h"

#include <string>

#include "log/pmx_logger.h"

void LogEscapedFailure(const char* where, const char* what) noexcept {
    try {
        // A logger of its own: the state that holds the pmx_data logger may be what failed.
        pmx_Logger log("pmx_data", 5, 2, 0);
        log.Write(std::string(where) + " stopped on an unexpected failure: " +
                      (what != nullptr ? what : "unknown exception") + ".",
                  "ERROR");
    } catch (...) {
        // Nothing is left to tell it with.
    }
}
