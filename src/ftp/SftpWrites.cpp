// The bytes of a store: SFTP write requests with several in flight at once, on the channel that
// libssh's SFTP session opened.
//
// libssh 0.10's sftp_write sends one request and waits for its answer, so a file goes at one
// piece per round trip: 8 MB a second at 20 ms from the server, a quarter of what OpenSSH's sftp
// reaches with 64 requests in flight. libssh has no public way to send a write without waiting
// (its dispatcher of answers is not exported), so the requests are framed here (SSH_FXP_WRITE
// of SFTP version 3, the version libssh speaks) and written to the session's channel, and their
// SSH_FXP_STATUS answers are read back from it. Nothing else uses the channel meanwhile:
// libssh's own requests (open before, close after) see it empty, as they expect.
#include "ftp/SftpSession.h"

#include "publish/FtpClient.h"

#include <libssh/libssh.h>
#include <libssh/sftp.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <istream>
#include <vector>

namespace dravenloom {
namespace {

constexpr std::uint8_t FxpWrite = 6;
constexpr std::uint8_t FxpStatus = 101;
// The largest answer a write can get: a status with a message the server wrote.
constexpr std::uint32_t LongestAnswer = 64 * 1024;

void Put32(std::vector<char>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void Put64(std::vector<char>& out, std::uint64_t value) {
    Put32(out, static_cast<std::uint32_t>(value >> 32));
    Put32(out, static_cast<std::uint32_t>(value));
}

std::uint32_t Get32(const unsigned char* in) {
    return (std::uint32_t(in[0]) << 24) | (std::uint32_t(in[1]) << 16) |
           (std::uint32_t(in[2]) << 8) | std::uint32_t(in[3]);
}

} // namespace

bool SftpSession::ReadExactly(void* into, std::size_t count) {
    auto* at = static_cast<char*>(into);
    while (count > 0) {
        const int got = ssh_channel_read(Sftp->channel, at, static_cast<std::uint32_t>(count), 0);
        if (got <= 0)
            return false; // an error, or the channel ended
        at += got;
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

bool SftpSession::Send(const char* bytes, std::size_t count) {
    // In slices, each a sign of life once the system took it: a piece of 252 KB may take
    // longer than the timeout on a slow line.
    constexpr std::size_t Slice = 32 * 1024;
    while (count > 0) {
        if (Stopped)
            return false;
        const std::size_t now = std::min(count, Slice);
        if (ssh_channel_write(Sftp->channel, bytes, static_cast<std::uint32_t>(now)) !=
            static_cast<int>(now))
            return false;
        if (OnProgress)
            OnProgress();
        bytes += now;
        count -= now;
    }
    return true;
}

SftpOutcome SftpSession::WritePieces(sftp_file file, std::istream& in, const std::string& name,
                                     const std::string& localFile) {
    const std::string handle(static_cast<const char*>(ssh_string_data(file->handle)),
                             ssh_string_len(file->handle));
    std::vector<char> piece(MaxChunk);
    std::vector<char> header;
    std::deque<std::uint32_t> inFlight;
    std::uint64_t offset = 0;
    bool ended = false;
    auto lost = [&](const std::string& how) {
        if (Stopped)
            return SftpOutcome{FtpAbortedError, "Put was abandoned"};
        Lost = true;
        return SftpOutcome{FtpSocketErrorBase + 1, // the socket layer's "remote host closed"
                           "Connection to " + Server + " lost while storing " + name + ": " + how};
    };
    // Takes the answer to the oldest request; servers may answer in another order, so the
    // answer is matched by its number.
    auto answer = [&]() -> SftpOutcome {
        unsigned char head[9];
        if (!ReadExactly(head, 4))
            return lost(LastError());
        const std::uint32_t length = Get32(head);
        if (length < 9 || length > LongestAnswer) {
            Lost = true;
            return {FtpProtocolError, "The server at " + Server + " sent an answer of " +
                                          std::to_string(length) + " bytes to a write"};
        }
        std::vector<unsigned char> body(length);
        if (!ReadExactly(body.data(), length))
            return lost(LastError());
        const std::uint32_t id = Get32(body.data() + 1);
        bool known = false;
        for (auto at = inFlight.begin(); at != inFlight.end(); ++at) {
            if (*at == id) {
                inFlight.erase(at);
                known = true;
                break;
            }
        }
        if (body[0] != FxpStatus || !known) {
            Lost = true;
            return {FtpProtocolError,
                    "The server at " + Server + " sent an answer to a write it was never asked"};
        }
        const std::uint32_t status = Get32(body.data() + 5);
        if (status == SSH_FX_OK) {
            if (OnProgress)
                OnProgress();
            return {};
        }
        std::string words;
        if (length >= 13) {
            const std::uint32_t size = Get32(body.data() + 9);
            if (size <= length - 13)
                words.assign(reinterpret_cast<const char*>(body.data() + 13), size);
        }
        return {FtpSftpStatusBase + static_cast<int>(status),
                "The server refused storing " + name + ": " +
                    (words.empty() ? "no reason given" : words) + " (SFTP status " +
                    std::to_string(status) + ")"};
    };

    while (!ended || !inFlight.empty()) {
        if (Stopped)
            return {FtpAbortedError, "Put was abandoned"};
        if (!ended && inFlight.size() < MaxInFlight) {
            in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
            const std::size_t got = static_cast<std::size_t>(in.gcount());
            if (in.bad())
                return {FtpLocalFileError, "Cannot read " + localFile};
            ended = in.eof() || got == 0;
            if (got == 0)
                continue;
            const std::uint32_t id = ++Sftp->id_counter;
            header.clear();
            Put32(header, static_cast<std::uint32_t>(1 + 4 + 4 + handle.size() + 8 + 4 + got));
            header.push_back(static_cast<char>(FxpWrite));
            Put32(header, id);
            Put32(header, static_cast<std::uint32_t>(handle.size()));
            header.insert(header.end(), handle.begin(), handle.end());
            Put64(header, offset);
            Put32(header, static_cast<std::uint32_t>(got));
            if (!Send(header.data(), header.size()) || !Send(piece.data(), got))
                return lost(LastError());
            inFlight.push_back(id);
            offset += got;
            continue;
        }
        if (SftpOutcome answered = answer(); !answered.Ok()) {
            // A refusal leaves other answers on their way, which libssh would take for the
            // answers to its next requests: they are read first. Each read takes one request
            // off the list or ends the session.
            while (!inFlight.empty() && !Lost && !Stopped)
                answer();
            return answered;
        }
    }
    return {};
}

} // namespace dravenloom
