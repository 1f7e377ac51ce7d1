#include "text/errors.h"

namespace vr {

std::string_view stopKindText(StopKind kind) {
    switch (kind) {
    case StopKind::FileNotFound: return "File not found";
    case StopKind::PathNotFound: return "Path not found";
    case StopKind::EndOfFile: return "End of file";
    case StopKind::SubscriptOutOfRange: return "Subscript out of range";
    case StopKind::InvalidArgument: return "Invalid argument";
    case StopKind::TypeMismatch: return "Type mismatch";
    case StopKind::PermissionDenied: return "Permission denied";
    case StopKind::DeviceIOError: return "Device I/O error";
    case StopKind::OutOfMemory: return "Out of memory";
    }
    return "Unknown error";
}

Stop& Stop::locate(std::string_view where, long line) {
    if (where_.empty()) {
        where_ = std::string(where);
        line_ = line;
        compose();
    }
    return *this;
}

void Stop::compose() {
    message_ = std::string(stopKindText(kind_));
    if (!explanation_.empty()) {
        message_ += ": " + explanation_;
    } else if (!where_.empty()) {
        message_ += ": ";
        message_ += where_;
        if (line_ > 0) {
            message_ += ", line ";
            message_ += std::to_string(line_);
        }
        if (!detail_.empty()) message_ += ": " + detail_;
    }
}

} // namespace vr
