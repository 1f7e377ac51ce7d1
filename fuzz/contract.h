// What every fuzz target checks: whatever the input, the code under test
// either succeeds or ends in a Stop of a named kind that names its place.
// Any other exception, a stop without a place, or a broken property of the
// result aborts the process, which the fuzzer reports with the input.
#pragma once

#include "text/errors.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace vr::fuzz {

[[noreturn]] void broken(std::string_view what, std::string_view detail = {});

// Aborts with `what` unless the condition holds.
inline void require(bool condition, std::string_view what) {
    if (!condition) broken(what);
}

// A stop as the user would see it: a known kind, a place, the message built
// from both.
void checkStop(const Stop& stop);
void reportOutcome(std::string_view outcome);

// Set by the replay program's -v: each outcome is printed.
extern bool verbose;

// Runs f: true when it returned, false when it ended in a proper stop.
template <class F>
bool keepsContract(F&& f) {
    try {
        f();
        if (verbose) reportOutcome("done");
        return true;
    } catch (const Stop& stop) {
        checkStop(stop);
        if (verbose) reportOutcome(stop.message());
        return false;
    } catch (const std::exception& e) {
        broken("an exception other than a stop escaped", e.what());
    } catch (...) {
        broken("an unknown exception escaped");
    }
}

inline std::string bytesOf(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Number of CR LF line ends in a written file; every byte must belong to a
// line so ended.
std::size_t endedLines(std::string_view file);

} // namespace vr::fuzz

// The entry point libFuzzer calls, and the replay program too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
