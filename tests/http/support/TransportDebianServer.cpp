#include "http/support/TransportDebianServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

namespace tarnwick::http::test {

namespace {

constexpr const char* kInterpreter = "/usr/bin/python3";
constexpr int kStartWaitMs = 10000;

}  // namespace

DebianHttpServer::DebianHttpServer() {
    char pattern[] = "/tmp/tarnwick-httpd-XXXXXX";
    if (mkdtemp(pattern) == nullptr || access(kInterpreter, X_OK) != 0) {
        return;
    }
    fFolder = pattern;
    int out[2];
    if (pipe(out) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string directory = fFolder;
    const char* argv[] = {kInterpreter, "-u",        "-m",          "http.server",     "0",
                          "--bind",     "127.0.0.1", "--directory", directory.c_str(), nullptr};
    const int spawned = posix_spawn(&fPid, kInterpreter, &actions, nullptr,
                                    const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        fPid = -1;
        close(out[0]);
        return;
    }
    // The server announces its port on the first line it prints.
    std::string banner;
    char c = 0;
    pollfd p{out[0], POLLIN, 0};
    while (banner.find('\n') == std::string::npos && poll(&p, 1, kStartWaitMs) > 0 &&
           read(out[0], &c, 1) == 1) {
        banner.push_back(c);
    }
    close(out[0]);
    std::smatch match;
    if (std::regex_search(banner, match, std::regex("port ([0-9]+)"))) {
        fPort = std::stoi(match[1].str());
    }
}

DebianHttpServer::~DebianHttpServer() {
    if (fPid > 0) {
        kill(fPid, SIGTERM);
        waitpid(fPid, nullptr, 0);
    }
    if (!fFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(fFolder, ignored);
    }
}

void DebianHttpServer::AddFile(const std::string& name, const std::string& content) const {
    std::ofstream(fFolder + "/" + name, std::ios::binary) << content;
}

}  // namespace tarnwick::http::test
