// The sending dialog's "Test" of the website, from a script: the profile
// in CONFIG_DIR checked against its real server. Prints the answer, then
// "fingerprint: KEY" when an sftp server's key is offered for pinning.
// Exit 0 when the site answered, 1 when not, 2 for a misuse.
#include "send/connection_check.h"
#include "send/send_error.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: check-site CONFIG_DIR\n";
        return 2;
    }
    try {
        const std::optional<vr::SendProfile> profile = vr::loadProfile(argv[1]);
        if (!profile || !profile->site) {
            std::cerr << "check-site: no [site] in the profile\n";
            return 2;
        }
        const vr::CheckAnswer answer = vr::checkSite(*profile->site);
        std::cout << answer.said << "\n";
        if (!answer.fingerprint.empty()) std::cout << "fingerprint: " << answer.fingerprint << "\n";
        return answer.ok ? 0 : 1;
    } catch (const vr::SendError& e) {
        std::cerr << "check-site: " << e.what() << "\n";
        return 2;
    }
}
