// The client the upload uses whatever the protocol: it hands each request to the FTP client
// (plain or with TLS) or to the SFTP client, as Protocol says when Connect is called.
#pragma once

#include "publish/FtpClient.h"

#include <memory>

namespace dravenloom {

class UploadClient final : public FtpClient {
public:
    UploadClient();
    ~UploadClient() override;

    bool Connect() override;
    bool Cwd() override;
    bool TypeSet() override;
    bool Put() override;
    bool Quit() override;
    void Abort() override;

    bool GetConnected() const override;
    int ErrorCode() const override;
    std::string ErrorMessage() const override;
    std::string ServerFingerprint() const override;

private:
    // Copies the settings into the client that speaks the protocol and makes the request
    // there; refused at once while another request waits, as every client does.
    bool Forward(bool (FtpClient::*request)(), bool choose);

    std::unique_ptr<FtpClient> Ftp;
    std::unique_ptr<FtpClient> Sftp;
    FtpClient* Current; // the client of the last Connect
    bool Busy = false;
    std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
};

} // namespace dravenloom
