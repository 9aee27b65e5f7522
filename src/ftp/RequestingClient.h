// What every request of a client goes through, whatever carries it (FTP or SFTP): refused while
// another one waits, abandoned by Abort or by the end of the program, never a failure that reads
// as success, and its notification once the client is ready for the next call.
#pragma once

#include "publish/FtpClient.h"

#include <functional>
#include <memory>
#include <string>

namespace dravenloom {

class RequestingClient : public FtpClient {
public:
    int ErrorCode() const override { return Code; }
    std::string ErrorMessage() const override { return Message; }

protected:
    // One request from start to notification; false at once when another request waits. After
    // `body`, unless the client was deleted meanwhile, RequestEnded tidies up. Returns false
    // without touching the client when it was deleted during the request.
    bool RunRequest(FtpRequest request, const std::function<bool()>& body);
    // Called after every request's body, before its outcome is decided.
    virtual void RequestEnded() {}

    // The request in progress.
    bool Busy = false;
    bool AbortRequested = false;
    // The program's loop was told to end: no wait can run any more.
    bool Ending = false;
    int Code = 0;
    std::string Message;
    // Set to false by the client's destructor: a request waiting inside its own event loop
    // learns from it that the client is gone.
    std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
};

} // namespace dravenloom
