// Times the HTTP client against curl on a loopback server this program starts: one large
// counted body, and many small answers that each close their connection so every GET needs a
// new client and a new connection. Both clients fetch the same URLs from the same server in
// the same run; the best of a few rounds is reported.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "http/client/TIdHTTP.h"
#include "http/transport/TIdStream.h"

using tarnwick::http::TIdHTTP;
using tarnwick::http::TIdMemoryStream;
using tarnwick::http::TIdStream;

extern char** environ;

namespace {

constexpr std::size_t kBodyBytes = 50u * 1000u * 1000u;
constexpr int kSmallRequests = 1000;
constexpr int kRounds = 3;
constexpr double kMegabyte = 1e6;
constexpr int kListenBacklog = 128;
constexpr const char* kCurl = "/usr/bin/curl";
// The version document of the update check, as the small answers carry it.
constexpr const char* kSmallBody = "{\"version\":\"2.0.1\",\"url\":\"http://x/\"}\n";

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Answers every request on its own thread-free loop: reads the head, sends the answer for its
// path, and closes (every answer says "Connection: close").
class LoopbackServer {
  public:
    LoopbackServer() : fBody(kBodyBytes, 'b') {
        fListenFd = socket(AF_INET, SOCK_STREAM, 0);
        const int one = 1;
        setsockopt(fListenFd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        if (bind(fListenFd, reinterpret_cast<sockaddr*>(&a), length) != 0 ||
            listen(fListenFd, kListenBacklog) != 0) {
            std::perror("listen");
            std::exit(1);
        }
        getsockname(fListenFd, reinterpret_cast<sockaddr*>(&a), &length);
        fPort = ntohs(a.sin_port);
        fBigHead = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                   std::to_string(fBody.size()) + "\r\nConnection: close\r\n\r\n";
        fSmall = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                 std::to_string(std::string_view(kSmallBody).size()) +
                 "\r\nConnection: close\r\n\r\n" + kSmallBody;
        fThread = std::thread([this] { Serve(); });
    }
    ~LoopbackServer() {
        fStop = true;
        shutdown(fListenFd, SHUT_RDWR);
        close(fListenFd);
        fThread.join();
    }
    int Port() const { return fPort; }

  private:
    void Serve() {
        while (!fStop) {
            const int fd = accept(fListenFd, nullptr, nullptr);
            if (fd < 0) {
                continue;
            }
            std::string head;
            char buffer[4096];
            while (head.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
                if (n <= 0) {
                    break;
                }
                head.append(buffer, static_cast<std::size_t>(n));
            }
            if (head.rfind("GET /big", 0) == 0) {
                SendAll(fd, fBigHead);
                SendAll(fd, fBody);
            } else {
                SendAll(fd, fSmall);
            }
            close(fd);
        }
    }
    static void SendAll(int fd, const std::string& bytes) {
        std::size_t offset = 0;
        while (offset < bytes.size()) {
            const ssize_t n = send(fd, bytes.data() + offset, bytes.size() - offset, MSG_NOSIGNAL);
            if (n <= 0) {
                return;
            }
            offset += static_cast<std::size_t>(n);
        }
    }

    std::string fBody;
    std::string fBigHead;
    std::string fSmall;
    int fListenFd = -1;
    int fPort = 0;
    std::atomic<bool> fStop{false};
    std::thread fThread;
};

// Runs curl with the arguments, its output going to /dev/null; returns the seconds it took.
double RunCurl(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kCurl));
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, kCurl, &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", kCurl);
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double seconds = SecondsSince(start);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "curl failed\n");
        std::exit(1);
    }
    return seconds;
}

// A stream that keeps only its size and position, as curl's output to /dev/null keeps nothing.
class DiscardStream : public TIdStream {
  public:
    std::int64_t Position() const override { return fPosition; }
    void SetPosition(std::int64_t position) override { fPosition = position; }
    std::int64_t Size() const override { return fSize; }
    void SetSize(std::int64_t size) override { fSize = size; }
    void Write(const std::uint8_t*, std::size_t count) override {
        fPosition += static_cast<std::int64_t>(count);
        fSize = std::max(fSize, fPosition);
    }
    std::size_t Read(std::uint8_t*, std::size_t) override { return 0; }

  private:
    std::int64_t fPosition = 0;
    std::int64_t fSize = 0;
};

// The body into a memory stream, as Get keeps it, or into a discarding stream.
template <typename Stream>
double OursBody(const std::string& url) {
    const auto start = Clock::now();
    TIdHTTP http;
    Stream body;
    http.Get(url, body);
    const double seconds = SecondsSince(start);
    if (body.Size() != static_cast<std::int64_t>(kBodyBytes)) {
        std::fprintf(stderr, "short body: %lld\n", static_cast<long long>(body.Size()));
        std::exit(1);
    }
    return seconds;
}

double OursSmall(const std::string& url) {
    const auto start = Clock::now();
    std::size_t total = 0;
    for (int i = 0; i < kSmallRequests; ++i) {
        TIdHTTP http;
        total += http.Get(url).size();
    }
    const double seconds = SecondsSince(start);
    if (total != static_cast<std::size_t>(kSmallRequests) * std::string_view(kSmallBody).size()) {
        std::fprintf(stderr, "wrong small bodies: %zu bytes\n", total);
        std::exit(1);
    }
    return seconds;
}

}  // namespace

int main() {
    LoopbackServer server;
    const std::string base = "http://127.0.0.1:" + std::to_string(server.Port());
    const std::string big = base + "/big";
    const std::string small = base + "/ver_2.php";

    double oursBody = 1e9;
    double oursDiscard = 1e9;
    double peerBody = 1e9;
    double oursSmall = 1e9;
    double peerSmall = 1e9;
    std::vector<std::string> smallArgs = {"-s", "-f"};
    for (int i = 0; i < kSmallRequests; ++i) {
        smallArgs.push_back(small);
    }
    for (int round = 0; round < kRounds; ++round) {
        oursBody = std::min(oursBody, OursBody<TIdMemoryStream>(big));
        oursDiscard = std::min(oursDiscard, OursBody<DiscardStream>(big));
        peerBody = std::min(peerBody, RunCurl({"-s", "-f", big}));
        oursSmall = std::min(oursSmall, OursSmall(small));
        peerSmall = std::min(peerSmall, RunCurl(smallArgs));
    }
    const double oursMBs = static_cast<double>(kBodyBytes) / kMegabyte / oursBody;
    const double peerMBs = static_cast<double>(kBodyBytes) / kMegabyte / peerBody;
    std::printf("http_body: ours=%.1f MB/s peer=%.1f MB/s ratio=%.2f\n", oursMBs, peerMBs,
                oursMBs / peerMBs);
    const double discardMBs = static_cast<double>(kBodyBytes) / kMegabyte / oursDiscard;
    std::printf("http_body_discarded: ours=%.1f MB/s peer=%.1f MB/s ratio=%.2f\n", discardMBs,
                peerMBs, discardMBs / peerMBs);
    const double oursRps = kSmallRequests / oursSmall;
    const double peerRps = kSmallRequests / peerSmall;
    std::printf("http_small: ours=%.0f req/s peer=%.0f req/s ratio=%.2f\n", oursRps, peerRps,
                oursRps / peerRps);
    return 0;
}
