// A loopback TCP server for the transport tests: it listens on 127.0.0.1 (or ::1) at a free
// port and runs a script on its own thread for each connection it accepts, so a test can
// write exact bytes, close early, keep quiet or read what the client sent.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <latch>
#include <string>
#include <string_view>
#include <thread>

namespace tarnwick::http::test {

// The server's end of one accepted connection, used from the script thread.
class ServerConnection {
  public:
    explicit ServerConnection(int fd) : fFd(fd) {}
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    void Send(std::string_view bytes);
    // Reads until the text has arrived; returns everything read up to and including it.
    std::string ReadUntil(std::string_view marker);
    std::string ReadExactly(std::size_t count);
    // Reads until the client closes its sending direction.
    std::string ReadToEnd();
    // Whether bytes (or a close) arrive within the time.
    bool WaitReadable(int timeoutMs);
    void ShutdownWrite();
    void Close();
    int Fd() const { return fFd; }

  private:
    int fFd;
};

// One gate a test thread and a script thread meet at: Open() lets every Wait() pass.
class Gate {
  public:
    void Open() { fLatch.count_down(); }
    void Wait() { fLatch.wait(); }

  private:
    std::latch fLatch{1};
};

class ScriptedServer {
  public:
    using Script = std::function<void(ServerConnection&)>;

    // Accepts `connections` connections one after another and runs the script for each.
    explicit ScriptedServer(Script script, int connections = 1, bool ipv6 = false);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    int Port() const { return fPort; }
    // Waits until every script has ended.
    void Join();
    int Accepted() const { return fAccepted; }

  private:
    void Run(int connections);

    Script fScript;
    int fListenFd = -1;
    int fPort = 0;
    std::atomic<int> fAccepted{0};
    std::thread fThread;
};

// A free loopback port with nothing listening on it (for refused connections).
int UnusedLoopbackPort();

}  // namespace tarnwick::http::test
