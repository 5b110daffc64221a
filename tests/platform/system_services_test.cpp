// GUIDs, time, MD5, the runtime's random numbers and TCP sockets, checked against the system.
#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include "platform/crt_random.h"
#include "platform/guid.h"
#include "platform/local_time.h"
#include "platform/md5.h"
#include "platform/tcp_socket.h"
#include "tests/support/loopback.h"

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
    const time_t before = ::time(nullptr);
    const os::LocalTime now = os::GetLocalTime();
    struct tm parts {};
#ifdef _WIN32
    ::localtime_s(&parts, &before);
#else
    ::localtime_r(&before, &parts);
#endif
    EXPECT_EQ(now.year, parts.tm_year + 1900);
    EXPECT_EQ(now.month, parts.tm_mon + 1);
    EXPECT_EQ(now.day, parts.tm_mday);
    EXPECT_GE(now.milliseconds, 0);
    EXPECT_LE(now.milliseconds, 999);
    EXPECT_LE(os::CurrentTimeSeconds() - before, 1);
}

// Digests as md5sum gives them.
TEST(Md5, MatchesMd5sum) {
    const std::pair<std::string, const char*> samples[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"house", "2ca63cddd54f9490efad22421891a9d1"},
        {"渲染场景.scene-extra", "e58907d5f1166bfa86dc1686903f9cab"},
        {std::string(100000, 'z'), "c8a63b8dc8a30221a1fa4804e6dcd9bf"},
        {std::string(64, 'a') + std::string(55, 'b'), "4ffdcfca868fc0e2402c64db27bc5b5a"},
    };
    for (const auto& [sample, digest] : samples) {
        std::string hex;
        EXPECT_TRUE(os::Md5Hex(sample, hex));
        EXPECT_EQ(hex, digest) << sample.size();
    }
}

// Seeding again starts the sequence again.
TEST(CrtRandom, SameSequenceAsTheWindowsRuntime) {
    for (int pass = 0; pass < 2; ++pass) {
        os::CrtSrand(1);
        for (int value : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358}) {
            EXPECT_EQ(os::CrtRand(), value);
        }
    }
    for (int i = 0; i < 1000; ++i) {
        int value = os::CrtRand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, os::kCrtRandMax);
    }
}

TEST(TcpSocket, SendsReceivesAndSeesThePeerClose) {
    uint16_t port = 0;
    const testing_support::SocketHandle listener = testing_support::ListenOnLoopback(port);
    std::string received;
    std::thread server([&] {
        const testing_support::SocketHandle peer =
            testing_support::AcceptConnection(listener, 20000);
        char buffer[64];
        const int got = testing_support::ReceiveBytes(peer, buffer, sizeof buffer);
        received.assign(buffer, got > 0 ? static_cast<size_t>(got) : 0);
        testing_support::SendBytes(peer, "{\"ret\":10001}", 13);
        testing_support::CloseSocket(peer);
    });
    os::TcpSocket socket;
    ASSERT_TRUE(socket.Open());
    ASSERT_TRUE(socket.Connect("127.0.0.1", port));
    EXPECT_EQ(socket.Send("POST", 4), 4);
    char reply[64];
    int got = socket.Receive(reply, sizeof reply);
    server.join();
    testing_support::CloseSocket(listener);
    ASSERT_EQ(got, 13);
    EXPECT_EQ(std::string(reply, 13), "{\"ret\":10001}");
    EXPECT_EQ(received, "POST");
    EXPECT_EQ(socket.Receive(reply, sizeof reply), 0);
}

}  // namespace
