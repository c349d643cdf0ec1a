// The entity headers that requests and responses share: texts, the content length (-1 when
// there is none) and the three dates (0 when there is none).
#pragma once

#include <cstdint>
#include <string>

#include "http/headers/TIdHeaderList.h"
#include "http/response/TIdHTTPDate.h"

namespace tarnwick::http {

class TIdEntityHeaderInfo {
  public:
    static constexpr std::int64_t kNoContentLength = -1;

    TIdEntityHeaderInfo() = default;
    TIdEntityHeaderInfo(const TIdEntityHeaderInfo&) = delete;  // held by the client only
    TIdEntityHeaderInfo& operator=(const TIdEntityHeaderInfo&) = delete;
    virtual ~TIdEntityHeaderInfo() = default;

    // Empties every entity field; the custom headers are kept.
    virtual void Clear() {
        CacheControl.clear();
        CharSet.clear();
        Connection.clear();
        ContentDisposition.clear();
        ContentEncoding.clear();
        ContentLanguage.clear();
        ContentType.clear();
        ContentVersion.clear();
        Pragma.clear();
        TransferEncoding.clear();
        ETag.clear();
        ContentLength = kNoContentLength;
        Date = 0;
        Expires = 0;
        LastModified = 0;
    }

    std::string CacheControl;
    std::string CharSet;
    std::string Connection;
    std::string ContentDisposition;
    std::string ContentEncoding;
    std::string ContentLanguage;
    std::string ContentType;
    std::string ContentVersion;
    std::string Pragma;
    std::string TransferEncoding;
    std::string ETag;
    std::int64_t ContentLength = kNoContentLength;
    TIdDateTime Date = 0;
    TIdDateTime Expires = 0;
    TIdDateTime LastModified = 0;
    TIdHeaderList CustomHeaders;
};

}  // namespace tarnwick::http
