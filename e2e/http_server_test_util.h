// A one-request HTTP server on 127.0.0.1 for the tests of the report upload, which libcurl sends to it.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

// A one-request HTTP server on 127.0.0.1: records the request line and answers with a fixed status,
// or (status 0) reads the request and never answers. Every wait is bounded, so a test that goes
// wrong fails instead of hanging.
class CTestHttpServer {
public:
    static constexpr int SILENT = 0;

    explicit CTestHttpServer(int nStatus) {
        m_fdListen = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t cbAddr = sizeof addr;
        if (m_fdListen < 0 || bind(m_fdListen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            listen(m_fdListen, 4) != 0 ||
            getsockname(m_fdListen, reinterpret_cast<sockaddr*>(&addr), &cbAddr) != 0) {
            ADD_FAILURE() << "test server could not listen";
            return;
        }
        m_nPort = ntohs(addr.sin_port);
        m_thread = std::thread([this, nStatus] { Serve(nStatus); });
    }
    ~CTestHttpServer() {
        Stop();
        if (m_fdListen >= 0) {
            close(m_fdListen);
        }
    }

    int Port() const { return m_nPort; }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_nPort); }
    // The request line received ("" when no request came); ends the server first.
    std::string RequestLine() {
        Stop();
        return m_strRequestLine;
    }

    // A port on which nothing listens.
    static int UnusedPort() {
        CTestHttpServer probe(SILENT);
        return probe.Port();  // the listener closes with the probe
    }

private:
    static constexpr int SLICE_MS = 20;
    static constexpr int LIMIT_MS = 10000;

    void Stop() {
        m_bStop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }

    // Waits for fd to become readable, in slices so that Stop is noticed; false on stop or limit.
    bool WaitReadable(int fd) {
        for (int nWaited = 0; !m_bStop && nWaited < LIMIT_MS; nWaited += SLICE_MS) {
            pollfd pfd{fd, POLLIN, 0};
            if (poll(&pfd, 1, SLICE_MS) > 0) {
                return true;
            }
        }
        return false;
    }

    void Serve(int nStatus) {
        if (!WaitReadable(m_fdListen)) {
            return;
        }
        const int fd = accept(m_fdListen, nullptr, nullptr);
        if (fd < 0) {
            return;
        }
        std::string strRequest;
        char achBuffer[4096];
        while (strRequest.find("\r\n\r\n") == std::string::npos && WaitReadable(fd)) {
            const ssize_t cb = read(fd, achBuffer, sizeof achBuffer);
            if (cb <= 0) {
                break;
            }
            strRequest.append(achBuffer, static_cast<std::size_t>(cb));
        }
        m_strRequestLine = strRequest.substr(0, strRequest.find("\r\n"));
        if (nStatus != SILENT) {
            const std::string strAnswer = "HTTP/1.1 " + std::to_string(nStatus) +
                                          " Test\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
            [[maybe_unused]] const ssize_t cb = write(fd, strAnswer.data(), strAnswer.size());
        } else {
            WaitReadable(fd);  // until the client gives up (end of stream) or the test ends
        }
        close(fd);
    }

    int m_fdListen = -1;
    int m_nPort = 0;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
    std::string m_strRequestLine;
};
