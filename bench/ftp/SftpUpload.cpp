// Uploads files in one SFTP session with the program's own client (log in, change directory, a
// store per file, close), for bench/sftp-upload.sh.
//   dravenloom_sftp_upload HOST PORT USER DIR FINGERPRINT FILE...
// FINGERPRINT is the host key trusted for the server ("SHA256:..."); the password comes from the
// environment variable DRAVENLOOM_FTP_PASSWORD. Exit 0 when every file was stored; otherwise the
// error code and message on standard error and exit 1. DRAVENLOOM_SFTP_IN_FLIGHT sets how many
// write requests may be on their way at once (the client's own default when unset).
#include "ftp/SftpClient.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 7) {
        std::fprintf(stderr, "usage: %s HOST PORT USER DIR FINGERPRINT FILE...\n", argv[0]);
        return 2;
    }
    dravenloom::SftpClient client;
    client.HostName = argv[1];
    client.Port = argv[2];
    client.UserName = argv[3];
    const char* password = std::getenv("DRAVENLOOM_FTP_PASSWORD");
    client.PassWord = password ? password : "";
    client.HostDirName = argv[4];
    client.TrustedFingerprint = argv[5];
    if (const char* inFlight = std::getenv("DRAVENLOOM_SFTP_IN_FLIGHT"))
        client.WritesInFlight = static_cast<std::size_t>(std::max(1, std::atoi(inFlight)));
    auto failed = [&client] {
        std::fprintf(stderr, "%d %s\n", client.ErrorCode(), client.ErrorMessage().c_str());
        return 1;
    };
    if (!client.Connect() || !client.Cwd())
        return failed();
    for (int i = 6; i < argc; ++i) {
        client.LocalFileName = argv[i];
        client.HostFileName = std::filesystem::path(argv[i]).filename().string();
        if (!client.Put())
            return failed();
    }
    if (!client.Quit())
        return failed();
    return 0;
}
