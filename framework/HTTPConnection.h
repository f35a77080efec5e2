#pragma once

#include <cstddef>
#include <cstdint>

/// The one entry of the module that holds the network code, which the program loads only when it
/// first posts: the network library and its own libraries would otherwise cost every start. It
/// connects to the host, writes the request's bytes and closes; it returns at once and the request
/// goes out on the event loop, in an object that owns itself.
extern "C" void WordloomHTTPSend(const char* host, uint16_t port, const char* request, size_t size);

/// The name of the module, in the program's own folder.
inline constexpr const char kHTTPConnectionModule[] = "libwordloom_http.so";
