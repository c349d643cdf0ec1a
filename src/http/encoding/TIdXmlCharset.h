// The charset of a response body: the XML rules (byte-order mark, then the declaration's
// encoding, UTF-8 otherwise) for XML media types, the header's charset for every other type.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "http/transport/TIdStream.h"

namespace tarnwick::http {

// "application/xml", "application/xml-external-parsed-entity", "application/xml-dtd", or a
// non-"text" type whose subtype ends in "+xml"; parameters and letter case are ignored.
bool IsXmlContentType(std::string_view contentType);

// The charset named by an XML body's byte-order mark or declaration; "UTF-8" when neither
// names one, and an empty name for the marks of the unusual UCS-4 byte orders.
std::string SniffXmlCharset(const std::uint8_t* bytes, std::size_t count);
// The same, read from the start of the stream; the stream's position is restored.
std::string SniffXmlCharset(TIdStream& body);

// The charset to decode a response body with: sniffed from the body for XML types (a missing
// body sniffs as empty), otherwise the response's charset as derived from its headers.
std::string ResponseCharset(std::string_view contentType, std::string_view charSet,
                            TIdStream* body);

}  // namespace tarnwick::http
