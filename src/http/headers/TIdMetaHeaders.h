// Reads the header lines an HTML document declares in its head: META http-equiv tags become
// "name: content" lines and META charset tags a Content-Type line. The scan stops at the body,
// and at a title seen before the head, so nothing later can override the response's headers.
#pragma once

#include <string_view>

#include "http/headers/TIdHeaderList.h"
#include "http/transport/TIdStream.h"

namespace tarnwick::http {

// Appends the declared lines to `list` in document order.
void ExtractMetaHeaders(std::string_view html, TIdHeaderList& list);
// The same over the whole stream, read from its start; the stream's position is restored.
void ExtractMetaHeaders(TIdStream& body, TIdHeaderList& list);

}  // namespace tarnwick::http
