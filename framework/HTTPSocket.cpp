#include "HTTPSocket.h"

#include "HTTPConnection.h"
#include "RuntimeException.h"

#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace {

constexpr uint16_t kDefaultPort = 80;

// Replaced in this order: the percent sign first, so that the "%" of a later replacement stays.
constexpr std::pair<const char*, const char*> kFormEscapes[] = {
    {"%", "%25"}, {"&", "%26"}, {"=", "%3D"}, {",", "%2C"}, {"/", "%2F"},  {"\\", "%5C"}, {"]", "%5D"},
    {"[", "%5B"}, {"{", "%7B"}, {"}", "%7D"}, {"`", "%60"}, {"~", "%7E"},  {"-", "%2D"},  {"_", "%5F"},
    {"(", "%28"}, {")", "%29"}, {"*", "%2A"}, {"^", "%5E"}, {"$", "%24"},  {"#", "%23"},  {"!", "%21"},
    {"+", "%2B"}, {";", "%3B"}, {"<", "%3C"}, {">", "%3E"}, {"\r", "%0D"}, {"\n", "%0A"},
};

String EncodeFormText(const String& text) {
    String encoded = text;
    for (const auto& [character, escape] : kFormEscapes)
        encoded = ReplaceAll(encoded, character, escape);
    return ReplaceAll(encoded, " ", "+");
}

struct Endpoint {
    /// As the "Host" header names it, with the port when the address has one.
    String hostPart;
    String host;
    uint16_t port = kDefaultPort;
    String path;
};

Endpoint SplitAddress(const String& url) {
    String rest = url;
    if (size_t scheme = rest.find("://"); scheme != String::npos)
        rest = rest.substr(scheme + 3);
    Endpoint endpoint;
    size_t slash = rest.find('/');
    endpoint.hostPart = rest.substr(0, slash);
    endpoint.path = slash == String::npos ? "/" : rest.substr(slash);
    size_t colon = endpoint.hostPart.find(':');
    endpoint.host = endpoint.hostPart.substr(0, colon);
    if (colon == String::npos)
        return endpoint;
    double port = Val(endpoint.hostPart.substr(colon + 1));
    if (port >= 1 && port <= 65535)
        endpoint.port = static_cast<uint16_t>(port);
    return endpoint;
}

String RequestText(const String& path, const Dictionary& headers, const String& body) {
    String request = "POST " + path + " HTTP/1.0\r\n";
    for (int64_t i = 0; i < headers.Count(); ++i) {
        if (i > 0)
            request += "\r\n";
        request += headers.Key(i) + ": " + headers.Value(headers.Key(i));
    }
    return request + "\r\n\r\n" + body;
}

using Send = decltype(&WordloomHTTPSend);

// The folder of the program's own file, as the program's code was loaded from it: started through the
// dynamic loader ("ld-linux-x86-64.so.2 wordloom"), the process's executable is the loader. Only a
// program found on the PATH is named without its folder, and the process's executable is the program.
std::filesystem::path ProgramFolder() {
    std::error_code error;
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&ProgramFolder), &info) && info.dli_fname &&
        std::strchr(info.dli_fname, '/')) {
        std::filesystem::path program = std::filesystem::canonical(info.dli_fname, error);
        if (!error)
            return program.parent_path();
    }
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        throw IOException("Unable to find the program's folder: " + error.message());
    return program.parent_path();
}

// The network module lies beside the program. A module that cannot be loaded is tried again on the
// next post, so that each report that cannot go out says why.
Send LoadSend() {
    const std::filesystem::path module = ProgramFolder() / kHTTPConnectionModule;
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    Send send = handle ? reinterpret_cast<Send>(dlsym(handle, "WordloomHTTPSend")) : nullptr;
    if (send)
        return send;
    const char* reason = dlerror();
    String message = String("Unable to load the network module: ") + (reason ? reason : module.c_str());
    if (handle)
        dlclose(handle);
    throw IOException(message);
}

} // namespace

HTTPSocket::HTTPSocket() {
    m_RequestHeaders.Value("Accept", "*/*");
    m_RequestHeaders.Value("Accept-Language", "en");
}

void HTTPSocket::SetFormData(const Dictionary& form) {
    m_Body = EncodeFormData(form);
    m_ContentType = "application/x-www-form-urlencoded";
}

String HTTPSocket::EncodeFormData(const Dictionary& form) {
    String body;
    for (int64_t i = 0; i < form.Count(); ++i) {
        const String& key = form.Key(i);
        body += "&" + EncodeFormText(key) + "=" + EncodeFormText(form.Value(key));
    }
    // Every pair was put after an "&"; the first needs none.
    return body.empty() ? body : body.substr(1);
}

void HTTPSocket::Post(const String& url) {
    static Send send = nullptr;
    if (!send)
        send = LoadSend();
    const Endpoint endpoint = SplitAddress(url);
    Dictionary headers = m_RequestHeaders;
    headers.Value("Host", endpoint.hostPart);
    if (!m_ContentType.empty())
        headers.Value("Content-type", m_ContentType);
    headers.Value("Content-length", Str(LenB(m_Body)));
    const String request = RequestText(endpoint.path, headers, m_Body);
    send(endpoint.host.c_str(), endpoint.port, request.data(), request.size());
}
