#include "app/window_port.h"

namespace vr {

const char* textBoxName(TextBox box) {
    switch (box) {
    case TextBox::LastDay: return "TxtLastDay";
    case TextBox::DaysSimmed: return "TxtDaysSimmed";
    case TextBox::Website: return "TxtWebsite";
    case TextBox::Message: return "TxtMessage";
    }
    return "";
}

} // namespace vr
