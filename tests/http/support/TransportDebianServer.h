// Debian's Python HTTP server (python3 -m http.server) serving a temporary folder on a free
// loopback port, so the client is checked against software written elsewhere. The server
// process lives as long as this object.
#pragma once

#include <sys/types.h>
#include <string>

namespace tarnwick::http::test {

class DebianHttpServer {
  public:
    DebianHttpServer();
    ~DebianHttpServer();
    DebianHttpServer(const DebianHttpServer&) = delete;
    DebianHttpServer& operator=(const DebianHttpServer&) = delete;

    // False when the interpreter is missing or the server did not come up.
    bool Running() const { return fPort > 0; }
    int Port() const { return fPort; }
    // Writes a file into the served folder.
    void AddFile(const std::string& name, const std::string& content) const;

  private:
    std::string fFolder;
    pid_t fPid = -1;
    int fPort = 0;
};

}  // namespace tarnwick::http::test
