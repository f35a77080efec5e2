#pragma once

#include "Dictionary.h"

/// An HTTP/1.0 client that writes its request itself. Post only starts the exchange: the request
/// goes out later on the event loop's thread, when the connection is made, even when this object has
/// gone by then. The reply and any failure of the connection are not observed; a request that has
/// not gone out after a while is given up. There is no retry.
class HTTPSocket {
public:
    /// Sets the "Accept" and "Accept-Language" headers.
    HTTPSocket();

    /// The body becomes the encoded form, sent as "application/x-www-form-urlencoded".
    void SetFormData(const Dictionary& form);
    /// The pairs "key=value" in the dictionary's order, joined with "&"; key and value are each
    /// encoded so that none of the separators appear in them, and blanks become "+".
    static String EncodeFormData(const Dictionary& form);
    /// Starts posting the body to the address ("http://host[:port]/path") and returns at once. Raises
    /// IOException, with the reason, when the program's network code cannot be loaded.
    void Post(const String& url);

private:
    Dictionary m_RequestHeaders;
    String m_Body;
    String m_ContentType;
};
