#include "CrashLogEndpoint.h"

namespace {

const char* const kMakersAddress = "http://crashlog.wordloom.app/clientcrashlog.php";

String& OtherAddress() {
    static String address;
    return address;
}

} // namespace

namespace CrashLogEndpoint {

String Address() {
    return OtherAddress().empty() ? String(kMakersAddress) : OtherAddress();
}

void SetAddress(const String& address) {
    OtherAddress() = address;
}

} // namespace CrashLogEndpoint
