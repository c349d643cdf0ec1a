// The address family a URL names or a connection uses; IPv4 unless the host was written in
// square brackets.
#pragma once

namespace tarnwick::http {

enum class TIdIPVersion { Id_IPv4, Id_IPv6 };

}  // namespace tarnwick::http
