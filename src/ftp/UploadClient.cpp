// Each request handed on to the client of the chosen protocol.
#include "ftp/UploadClient.h"

#include "ftp/QtFtpClient.h"
#include "ftp/SftpClient.h"

namespace dravenloom {

UploadClient::UploadClient()
    : Ftp(std::make_unique<QtFtpClient>()), Sftp(std::make_unique<SftpClient>()),
      Current(Ftp.get()) {
    // The notifications come from whichever client works, and go out as this client's own.
    for (FtpClient* client : {Ftp.get(), Sftp.get()})
        client->OnRequestDone = [this](FtpRequest request, int code) {
            // The request has ended: the handler may make the next one (Abort notifies while
            // the request it abandons still unwinds).
            if (request != FtpRequest::Abort)
                Busy = false;
            if (OnRequestDone)
                OnRequestDone(request, code);
        };
}

UploadClient::~UploadClient() {
    *Alive = false;
}

bool UploadClient::Forward(bool (FtpClient::*request)(), bool choose) {
    // The settings of a request that waits must not change under it.
    if (Busy)
        return false;
    if (choose) {
        FtpClient* chosen = Protocol == UploadProtocol::Sftp ? Sftp.get() : Ftp.get();
        // A session of the other kind still open is closed first: one server at a time.
        if (chosen != Current && Current->GetConnected())
            Current->Abort();
        Current = chosen;
    }
    FtpClient& client = *Current;
    client.HostName = HostName;
    client.Port = Port;
    client.UserName = UserName;
    client.PassWord = PassWord;
    client.Passive = Passive;
    client.HostDirName = HostDirName;
    client.HostFileName = HostFileName;
    client.LocalFileName = LocalFileName;
    client.Binary = Binary;
    client.Timeout = Timeout;
    client.ReplyLimit = ReplyLimit;
    client.Protocol = Protocol;
    client.TrustedFingerprint = TrustedFingerprint;
    Busy = true;
    auto alive = Alive;
    const bool ok = (client.*request)();
    // This client may have been deleted from inside the wait.
    if (!*alive)
        return false;
    Busy = false;
    return ok;
}

bool UploadClient::Connect() {
    return Forward(&FtpClient::Connect, true);
}
bool UploadClient::Cwd() {
    return Forward(&FtpClient::Cwd, false);
}
bool UploadClient::TypeSet() {
    return Forward(&FtpClient::TypeSet, false);
}
bool UploadClient::Put() {
    return Forward(&FtpClient::Put, false);
}
bool UploadClient::Quit() {
    return Forward(&FtpClient::Quit, false);
}
void UploadClient::Abort() {
    Current->Abort();
}

bool UploadClient::GetConnected() const {
    return Current->GetConnected();
}
int UploadClient::ErrorCode() const {
    return Current->ErrorCode();
}
std::string UploadClient::ErrorMessage() const {
    return Current->ErrorMessage();
}
std::string UploadClient::ServerFingerprint() const {
    return Current->ServerFingerprint();
}

} // namespace dravenloom
