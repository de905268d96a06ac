// hoerdat-standin: a small HTTP service on a loopback address that answers Hördat queries
// ("?a=…&b=…&c=…&d=…") from a file of fictional radio plays, in the marker format that
// Velmora's search parses. For tests and demonstrations: the real service is not reachable.
#include <httplib.h>
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include "catalog.h"
#include "pages.h"
#include "search.h"

namespace {

struct Options {
  std::string host = "127.0.0.1";
  int port = 0;
  std::string dataPath;
  std::size_t limit = 20;
};

constexpr const char* kUsage =
    "usage: hoerdat-standin [--host ADDRESS] [--port PORT] [--data FILE] [--limit N]\n"
    "  --host   loopback address to listen on (default 127.0.0.1)\n"
    "  --port   port, 0 for a free one (default 0); the address is printed on start\n"
    "  --data   the radio plays, tab-separated UTF-8 (default: the file shipped with it)\n"
    "  --limit  most records in one answer; more give the \"Mehr als\" answer (default 20)\n"
    "Besides the queries it serves web pages in the layout of today's Hördat pages:\n"
    "/page?id=N (the play N, from 0) and /page?day=1 (a day listing several plays).\n";

// The data file beside the sources when run from a build tree, else the installed one.
std::string DefaultDataPath() {
  std::error_code ignored;
  if (std::filesystem::exists(HOERDAT_STANDIN_SOURCE_DATA, ignored))
    return HOERDAT_STANDIN_SOURCE_DATA;
  return HOERDAT_STANDIN_INSTALLED_DATA;
}

template <typename Number> bool ParseNumber(const std::string& text, Number& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseOptions(int argc, char** argv, Options& options) {
  options.dataPath = DefaultDataPath();
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (name == "--host") {
      options.host = value;
    } else if (name == "--port") {
      if (!ParseNumber(value, options.port) || options.port < 0 || options.port > 65535)
        return false;
    } else if (name == "--data") {
      options.dataPath = value;
    } else if (name == "--limit") {
      if (!ParseNumber(value, options.limit)) return false;
    } else {
      return false;
    }
  }
  return true;
}

// Test traffic must stay on this machine.
bool IsLoopback(const std::string& host) {
  return host == "localhost" || host == "::1" || host.starts_with("127.");
}

// SIGINT and SIGTERM are taken by one waiting thread; every other thread (the server's pool
// included) inherits the blocked mask.
sigset_t BlockStopSignals() {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  return stopSignals;
}

// "/page?id=N": the page of play N (from 0); "/page?day=1": a day's page listing several.
void AnswerPage(const std::vector<hoerdat_standin::PlayRecord>& catalog,
                const httplib::Request& request, httplib::Response& response) {
  std::size_t id = 0;
  if (request.has_param("day")) {
    const std::size_t count = std::min<std::size_t>(catalog.size(), 5);
    response.set_content(
        hoerdat_standin::DayPage(
            {catalog.begin(), catalog.begin() + static_cast<std::ptrdiff_t>(count)}),
        "text/html; charset=utf-8");
  } else if (request.has_param("id") && ParseNumber(request.get_param_value("id"), id) &&
             id < catalog.size()) {
    response.set_content(hoerdat_standin::PlayPage(catalog[id]), "text/html; charset=utf-8");
  } else {
    response.status = 404;
    response.set_content("no such page\n", "text/plain");
  }
}

void AnswerQuery(const std::vector<hoerdat_standin::PlayRecord>& catalog, std::size_t limit,
                 const httplib::Request& request, httplib::Response& response) {
  const auto params = hoerdat_standin::ParseSearchParams(request.target);
  if (!params) {
    response.status = 400;
    response.set_content("bad request\n", "text/plain");
    return;
  }
  response.set_content(hoerdat_standin::AnswerSearch(catalog, *params, limit),
                       "text/plain; charset=windows-1252");
}

// The port listened on (a free one for port 0), or -1.
int Bind(httplib::Server& server, const Options& options) {
  if (options.port == 0) return server.bind_to_any_port(options.host);
  return server.bind_to_port(options.host, options.port) ? options.port : -1;
}

// Serves until a stop signal arrives or the server ends by itself; false when it failed.
bool ListenUntilStopped(httplib::Server& server, const sigset_t& stopSignals) {
  std::atomic<bool> listenEnded = false;
  std::thread signalWaiter([&] {
    int signal = 0;
    sigwait(&stopSignals, &signal);
    // stop() only acts on a running server, so it is repeated until the loop has ended.
    while (!listenEnded) {
      server.stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  const bool listened = server.listen_after_bind();
  listenEnded = true;
  // Wakes the waiter when the server ended by itself.
  pthread_kill(signalWaiter.native_handle(), SIGTERM);
  signalWaiter.join();
  return listened;
}

} // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << kUsage;
    return 2;
  }
  if (!IsLoopback(options.host)) {
    std::cerr << "hoerdat-standin: " << options.host << " is not a loopback address\n";
    return 2;
  }
  std::string error;
  const auto catalog = hoerdat_standin::LoadCatalog(options.dataPath, error);
  if (!catalog) {
    std::cerr << "hoerdat-standin: " << error << "\n";
    return 1;
  }
  const sigset_t stopSignals = BlockStopSignals();

  httplib::Server server;
  server.Get("/page", [&](const httplib::Request& request, httplib::Response& response) {
    AnswerPage(*catalog, request, response);
  });
  server.Get(".*", [&](const httplib::Request& request, httplib::Response& response) {
    AnswerQuery(*catalog, options.limit, request, response);
  });
  const int port = Bind(server, options);
  if (port <= 0) {
    std::cerr << "hoerdat-standin: cannot listen on " << options.host << ":" << options.port
              << "\n";
    return 1;
  }
  std::cout << "listening on " << options.host << ":" << port << std::endl;
  return ListenUntilStopped(server, stopSignals) ? 0 : 1;
}
