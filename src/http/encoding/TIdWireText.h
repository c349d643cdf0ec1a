// Joins the I/O handler's text conversions to the text encodings: a line read decodes the
// wire bytes with a byte encoding and re-encodes them into the program's 8-bit text, and a
// text write does the reverse. The functions hold their encodings alive.
#pragma once

#include "http/encoding/IIdTextEncoding.h"
#include "http/transport/TIdTransportTypes.h"

namespace tarnwick::http {

class TIdIOHandler;

// Bytes in `byteEncoding` to 8-bit text in `destEncoding` (null: the default kind).
TIdBytesToText MakeBytesToText(IIdTextEncodingPtr byteEncoding, IIdTextEncodingPtr destEncoding);
// 8-bit text in `sourceEncoding` to bytes in `byteEncoding` (null: the default kind).
TIdTextToBytes MakeTextToBytes(IIdTextEncodingPtr byteEncoding, IIdTextEncodingPtr sourceEncoding);

// Sets both conversions of a handler: the wire in `byteEncoding`, the program's strings in
// `ansiEncoding`.
void SetHandlerEncodings(TIdIOHandler& handler, IIdTextEncodingPtr byteEncoding,
                         IIdTextEncodingPtr ansiEncoding);

}  // namespace tarnwick::http
