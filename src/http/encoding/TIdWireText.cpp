#include "http/encoding/TIdWireText.h"

#include <utility>

#include "http/encoding/TIdTextEncodings.h"
#include "http/transport/TIdIOHandler.h"

namespace tarnwick::http {

TIdBytesToText MakeBytesToText(IIdTextEncodingPtr byteEncoding, IIdTextEncodingPtr destEncoding) {
    return [byteEncoding = std::move(byteEncoding), destEncoding = std::move(destEncoding)](
               const std::uint8_t* data, std::size_t count) {
        return DecodeToString(data, count, byteEncoding, destEncoding);
    };
}

TIdTextToBytes MakeTextToBytes(IIdTextEncodingPtr byteEncoding, IIdTextEncodingPtr sourceEncoding) {
    return [byteEncoding = std::move(byteEncoding),
            sourceEncoding = std::move(sourceEncoding)](std::string_view text) {
        return EncodeFromString(text, byteEncoding, sourceEncoding);
    };
}

void SetHandlerEncodings(TIdIOHandler& handler, IIdTextEncodingPtr byteEncoding,
                         IIdTextEncodingPtr ansiEncoding) {
    handler.BytesToText = MakeBytesToText(byteEncoding, ansiEncoding);
    handler.TextToBytes = MakeTextToBytes(std::move(byteEncoding), std::move(ansiEncoding));
}

}  // namespace tarnwick::http
