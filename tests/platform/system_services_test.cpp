// GUIDs, time, MD5, the runtime's random numbers and TCP sockets, checked against the system.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <set>
#include <thread>

#include "platform/crt_random.h"
#include "platform/guid.h"
#include "platform/last_error.h"
#include "platform/local_time.h"
#include "platform/md5.h"
#include "platform/tcp_socket.h"
#include "tests/support/temp_root.h"

namespace {

TEST(Guid, VersionFourAndVariantBitsOnRandomBytes) {
    std::set<uint32_t> firstFields;
    for (int i = 0; i < 100; ++i) {
        os::Guid guid;
        ASSERT_TRUE(os::NewGuid(guid));
        EXPECT_EQ(guid.data3 >> 12, 4);
        EXPECT_EQ(guid.data4[0] & 0xC0, 0x80);
        firstFields.insert(guid.data1);
    }
    EXPECT_GT(firstFields.size(), 95u);
}

TEST(LocalTime, AgreesWithTheCRuntime) {
    time_t before = ::time(nullptr);
    os::LocalTime now = os::GetLocalTime();
    struct tm parts {};
    ::localtime_r(&before, &parts);
    EXPECT_EQ(now.year, parts.tm_year + 1900);
    EXPECT_EQ(now.month, parts.tm_mon + 1);
    EXPECT_EQ(now.day, parts.tm_mday);
    EXPECT_GE(now.milliseconds, 0);
    EXPECT_LE(now.milliseconds, 999);
    EXPECT_LE(os::CurrentTimeSeconds() - before, 1);
}

std::string Md5SumOf(const std::filesystem::path& file) {
    std::string command = "md5sum '" + file.string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    char digest[33] = {};
    if (pipe == nullptr || std::fread(digest, 1, 32, pipe) != 32) {
        digest[0] = '\0';
    }
    if (pipe != nullptr) {
        ::pclose(pipe);
    }
    return digest;
}

TEST(Md5, MatchesMd5sum) {
    testing_support::TempRoot root;
    std::string samples[] = {"", "house", "渲染场景.scene-extra", std::string(100000, 'z'),
                             std::string(64, 'a') + std::string(55, 'b')};
    for (const std::string& sample : samples) {
        root.WriteFile("sample", sample);
        EXPECT_EQ(os::Md5Hex(sample), Md5SumOf(root.Path() / "sample")) << sample.size();
    }
}

TEST(CrtRandom, SameSequenceAsTheWindowsRuntime) {
    os::CrtSrand(1);
    int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int value : expected) {
        EXPECT_EQ(os::CrtRand(), value);
    }
    os::CrtSrand(12345);
    int first = os::CrtRand();
    os::CrtSrand(12345);
    EXPECT_EQ(os::CrtRand(), first);
    for (int i = 0; i < 1000; ++i) {
        int value = os::CrtRand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, os::kCrtRandMax);
    }
}

// A listening socket on 127.0.0.1 with a port the system chose.
class Listener {
public:
    Listener() {
        descriptor_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(descriptor_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(descriptor_, 4);
        socklen_t length = sizeof address;
        ::getsockname(descriptor_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~Listener() { Close(); }
    uint16_t Port() const { return port_; }
    int Accept() { return ::accept(descriptor_, nullptr, nullptr); }
    void Close() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
            descriptor_ = -1;
        }
    }

private:
    int descriptor_ = -1;
    uint16_t port_ = 0;
};

TEST(TcpSocket, RefusedConnectionIsWsaConnectionRefused) {
    Listener listener;
    uint16_t port = listener.Port();
    listener.Close();
    os::TcpSocket socket;
    ASSERT_TRUE(socket.Open());
    EXPECT_FALSE(socket.Connect("127.0.0.1", port));
    EXPECT_EQ(os::GetLastError(), os::kWsaConnectionRefused);
}

TEST(TcpSocket, SendsReceivesAndSeesThePeerClose) {
    Listener listener;
    std::string received;
    std::thread server([&] {
        int peer = listener.Accept();
        char buffer[64];
        ssize_t got = ::recv(peer, buffer, sizeof buffer, 0);
        received.assign(buffer, got > 0 ? static_cast<size_t>(got) : 0);
        ::send(peer, "{\"ret\":10001}", 13, 0);
        ::close(peer);
    });
    os::TcpSocket socket;
    ASSERT_TRUE(socket.Open());
    ASSERT_TRUE(socket.Connect("127.0.0.1", listener.Port()));
    EXPECT_EQ(socket.Send("POST", 4), 4);
    char reply[64];
    int got = socket.Receive(reply, sizeof reply);
    server.join();
    ASSERT_EQ(got, 13);
    EXPECT_EQ(std::string(reply, 13), "{\"ret\":10001}");
    EXPECT_EQ(received, "POST");
    EXPECT_EQ(socket.Receive(reply, sizeof reply), 0);
}

}  // namespace
