#include "text/quote.h"

namespace vr {
namespace {

constexpr std::size_t kQuotedStart = 60;
constexpr std::size_t kQuotedEnd = 30;

// Bytes with no character to show: C0 controls, DEL, and the five bytes
// Windows-1252 leaves unassigned (they decode to C1 controls).
bool unshown(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

void appendShown(std::string& out, std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (!unshown(c)) {
            out += ch;
        } else if (c == '\t') {
            out += "[tab]";
        } else {
            out += "[byte ";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            out += ']';
        }
    }
}

} // namespace

std::string quoteText(std::string_view bytes) {
    std::string out = "'";
    if (bytes.size() <= kLongestQuote) {
        appendShown(out, bytes);
    } else {
        appendShown(out, bytes.substr(0, kQuotedStart));
        out += " ... ";
        appendShown(out, bytes.substr(bytes.size() - kQuotedEnd));
    }
    out += '\'';
    return out;
}

} // namespace vr
