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
    bool Connect() final;
    bool Cwd() final;
    bool TypeSet() final;
    bool Put() final;
    bool Quit() final;
    // Abandons the request that waits (LetGo), then notifies (Abort, 0). Never refused; a call
    // from inside its own notification does nothing.
    void Abort() final;

    int ErrorCode() const override { return Code; }
    std::string ErrorMessage() const override { return Message; }

protected:
    // The requests themselves, each run by RunRequest.
    virtual bool DoConnect() = 0;
    virtual bool DoCwd() = 0;
    virtual bool DoTypeSet() = 0;
    virtual bool DoPut() = 0;
    virtual bool DoQuit() = 0;
    // Abort: closes the connection at once and wakes the wait of the request in progress, if
    // any (`waiting`); AbortRequested is already set then.
    virtual void LetGo(bool waiting) = 0;

    // One request from start to notification; false at once when another request waits. After
    // `body`, unless the client was deleted meanwhile, RequestEnded tidies up. Returns false
    // without touching the client when it was deleted during the request.
    bool RunRequest(FtpRequest request, const std::function<bool()>& body);
    // Called after every request's body, before its outcome is decided.
    virtual void RequestEnded() {}

    // The request in progress.
    bool Busy = false;
    bool AbortRequested = false;
    bool InAbort = false;
    // The program's loop was told to end: no wait can run any more.
    bool Ending = false;
    int Code = 0;
    std::string Message;
    // Set to false by the client's destructor: a request waiting inside its own event loop
    // learns from it that the client is gone.
    std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
};

} // namespace dravenloom
