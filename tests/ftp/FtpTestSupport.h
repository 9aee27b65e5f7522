// What every client test shares: a client aimed at a server on 127.0.0.1 with a short timeout,
// its notifications recorded, local files to send, and a clock.
#pragma once

#include "ftp/QtFtpClient.h"
#include "support/TestFiles.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace dravenloom {

class ClientFixture : public ::testing::Test {
protected:
    explicit ClientFixture(std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
        Client.HostName = "127.0.0.1";
        Client.UserName = "alice";
        Client.PassWord = "secret";
        Client.Timeout = timeout;
        Client.OnRequestDone = [this](FtpRequest request, int code) {
            Done.push_back(std::string(FtpRequestName(request)) + ' ' + std::to_string(code));
            if (AfterRequest)
                AfterRequest(request, code);
        };
        Clock.start();
    }

    // A local file with these bytes, under a name of its own.
    std::string LocalFile(const std::string& bytes, const std::string& name = "local.bin") {
        std::string path = Files.File(name);
        WriteBytes(path, bytes);
        return path;
    }

    // Connect, then store the bytes as the named file.
    bool ConnectAndPut(const std::string& bytes, const std::string& remote = "up.bin") {
        if (!Client.Connect())
            return false;
        Client.LocalFileName = LocalFile(bytes);
        Client.HostFileName = remote;
        return Client.Put();
    }

    // Runs the action from the event loop after the delay, as a button or a timer would.
    void Later(int milliseconds, std::function<void()> action) {
        QTimer::singleShot(milliseconds, &Client, std::move(action));
    }

    long long Elapsed() const { return Clock.elapsed(); }

    // The server dies (`kill`, after `afterMs`) while `big` is on its way as big.bin, passive:
    // the store fails with a socket error within the silence limit, and the session is gone.
    void ExpectKilledMidTransferFails(const std::string& big, int afterMs,
                                      std::function<void()> kill) {
        Client.Passive = true;
        Client.Timeout = std::chrono::milliseconds(2000);
        ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
        ASSERT_TRUE(Client.TypeSet());
        Later(afterMs, std::move(kill));
        Client.LocalFileName = LocalFile(big);
        Client.HostFileName = "big.bin";
        Clock.restart();
        EXPECT_FALSE(Client.Put());
        EXPECT_TRUE(IsFtpSocketError(Client.ErrorCode()))
            << Client.ErrorCode() << ' ' << Client.ErrorMessage();
        EXPECT_NE(Client.ErrorMessage().find("127.0.0.1:"), std::string::npos)
            << Client.ErrorMessage();
        EXPECT_FALSE(Client.GetConnected());
        EXPECT_LT(Elapsed(), afterMs + 2000 + 1000);
        EXPECT_EQ(Done.back(), "Put " + std::to_string(Client.ErrorCode()));
    }

    // Abort (after `afterMs`) while `big` is on its way as big.bin into `root`, active: the
    // store ends at once, silently, and what the server kept is a part of the file at most.
    void ExpectAbortMidTransferEndsAtOnce(const std::string& big, int afterMs,
                                          const std::filesystem::path& root) {
        Client.Passive = false;
        ASSERT_TRUE(Client.Connect()) << Client.ErrorMessage();
        ASSERT_TRUE(Client.TypeSet());
        Later(afterMs, [this] { Client.Abort(); });
        Client.LocalFileName = LocalFile(big);
        Client.HostFileName = "big.bin";
        Clock.restart();
        EXPECT_FALSE(Client.Put());
        EXPECT_LT(Elapsed(), afterMs + 1000);
        EXPECT_EQ(Client.ErrorCode(), FtpAbortedError);
        EXPECT_FALSE(Client.GetConnected());
        EXPECT_EQ(Done, (std::vector<std::string>{"Connect 0", "TypeSet 0", "Abort 0"}));
        if (std::filesystem::exists(root / "big.bin")) {
            EXPECT_LT(std::filesystem::file_size(root / "big.bin"), big.size());
        }
    }

    TempDirectory Files;
    QtFtpClient Client;
    std::vector<std::string> Done;
    std::function<void(FtpRequest, int)> AfterRequest;
    QElapsedTimer Clock;
};

// A long run of text lines with LF ends.
inline std::string TextLines(std::size_t bytes) {
    std::string text;
    for (int line = 0; text.size() < bytes; ++line)
        text += "line " + std::to_string(line) + " of the guide's page\n";
    return text;
}

// Bytes of every value, in an order that shows any byte lost or moved.
inline std::string BinaryBytes(std::size_t bytes) {
    std::string data(bytes, '\0');
    unsigned state = 12345;
    for (char& c : data) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return data;
}

} // namespace dravenloom
