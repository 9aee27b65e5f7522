// Tests of the rule that decides which link addresses of a guide reach the desktop.
#include "preview/GuideAddress.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dravenloom {
namespace {

struct AddressCase {
    const char* Written;
    std::optional<std::string> Opened;
};

void PrintTo(const AddressCase& c, std::ostream* out) {
    *out << '"' << c.Written << '"';
}

class GuideAddressTest : public testing::TestWithParam<AddressCase> {};

TEST_P(GuideAddressTest, OpensWebAndMailAddressesOnly) {
    EXPECT_EQ(OpenableGuideAddress(GetParam().Written), GetParam().Opened);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, GuideAddressTest,
    testing::Values(
        // Web and mail addresses go as written, the scheme in any case.
        AddressCase{"http://www.example.com", "http://www.example.com"},
        AddressCase{"HTTPS://example.com/a?b=c#d", "HTTPS://example.com/a?b=c#d"},
        AddressCase{"http://user:pw@example.com:8080/x", "http://user:pw@example.com:8080/x"},
        AddressCase{"mailto:someone@example.com?subject=Hi",
                    "mailto:someone@example.com?subject=Hi"},
        // A bare web address gets its scheme; blanks round an address are the author's slip.
        AddressCase{"www.example.com", "http://www.example.com"},
        AddressCase{"  example.org/page.html ", "http://example.org/page.html"},
        AddressCase{"example.org:81/", "http://example.org:81/"},
        // Western European letters are carried to the desktop as UTF-8.
        AddressCase{"http://example.com/caf\xE9", "http://example.com/caf\xC3\xA9"},
        // Anything that would run or open something on the reader's machine is refused.
        AddressCase{"javascript:alert(1)", std::nullopt},
        AddressCase{"JavaScript:void(0).x", std::nullopt},
        AddressCase{"file:///etc/passwd", std::nullopt},
        AddressCase{"C:\\Windows\\notepad.exe", std::nullopt},
        AddressCase{"/usr/bin/xterm", std::nullopt}, AddressCase{"../secret.txt", std::nullopt},
        AddressCase{"data:text/html,<b>x</b>", std::nullopt},
        AddressCase{"smb://server.example/share", std::nullopt},
        AddressCase{"http://", std::nullopt}, AddressCase{"http://.example.com", std::nullopt},
        AddressCase{"http:example.com", std::nullopt},
        AddressCase{"http://example.com/a b", std::nullopt},
        AddressCase{"http://example.com/\"--x", std::nullopt},
        AddressCase{"www.example.com\r\n", std::nullopt}, AddressCase{"mailto:", std::nullopt},
        AddressCase{"mailto:@example.com", std::nullopt}, AddressCase{"version 1.5", std::nullopt},
        AddressCase{"", std::nullopt}));

} // namespace
} // namespace dravenloom
