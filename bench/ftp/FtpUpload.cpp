// Uploads files in one FTP session with the program's own client (login, CWD, TYPE I, a STOR
// per file, QUIT), for bench/ftp-upload.sh and bench/ftps-upload.sh.
//   dravenloom_ftp_upload HOST PORT USER DIR [--active] [--tls [--trust SHA256:...]] FILE...
// The password comes from the environment variable DRAVENLOOM_FTP_PASSWORD. Exit 0 when every
// file was stored; otherwise the error code and message on standard error and exit 1.
#include "ftp/QtFtpClient.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 6) {
        std::fprintf(stderr,
                     "usage: %s HOST PORT USER DIR [--active] [--tls [--trust SHA256:...]] "
                     "FILE...\n",
                     argv[0]);
        return 2;
    }
    dravenloom::QtFtpClient client;
    client.HostName = argv[1];
    client.Port = argv[2];
    client.UserName = argv[3];
    const char* password = std::getenv("DRAVENLOOM_FTP_PASSWORD");
    client.PassWord = password ? password : "";
    client.HostDirName = argv[4];
    client.Passive = true;
    int first = 5;
    for (; first < argc; ++first) {
        const std::string option = argv[first];
        if (option == "--active") {
            client.Passive = false;
        } else if (option == "--tls") {
            client.Protocol = dravenloom::UploadProtocol::FtpTls;
        } else if (option == "--trust" && first + 1 < argc) {
            client.TrustedFingerprint = argv[++first];
        } else {
            break;
        }
    }
    auto failed = [&client] {
        std::fprintf(stderr, "%d %s\n", client.ErrorCode(), client.ErrorMessage().c_str());
        return 1;
    };
    client.SetBinary(true);
    if (!client.Connect() || !client.Cwd() || !client.TypeSet())
        return failed();
    for (int i = first; i < argc; ++i) {
        client.LocalFileName = argv[i];
        client.HostFileName = std::filesystem::path(argv[i]).filename().string();
        if (!client.Put())
            return failed();
    }
    if (!client.Quit())
        return failed();
    return 0;
}
