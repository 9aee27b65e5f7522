// The run of one request, shared by the FTP and the SFTP client.
#include "ftp/RequestingClient.h"

namespace dravenloom {

bool RequestingClient::Connect() {
    return RunRequest(FtpRequest::Connect, [this] { return DoConnect(); });
}
bool RequestingClient::Cwd() {
    return RunRequest(FtpRequest::Cwd, [this] { return DoCwd(); });
}
bool RequestingClient::TypeSet() {
    return RunRequest(FtpRequest::TypeSet, [this] { return DoTypeSet(); });
}
bool RequestingClient::Put() {
    return RunRequest(FtpRequest::Put, [this] { return DoPut(); });
}
bool RequestingClient::Quit() {
    return RunRequest(FtpRequest::Quit, [this] { return DoQuit(); });
}

void RequestingClient::Abort() {
    if (InAbort)
        return;
    InAbort = true;
    auto alive = Alive;
    if (Busy)
        AbortRequested = true;
    LetGo(Busy);
    if (auto notify = OnRequestDone)
        notify(FtpRequest::Abort, 0);
    if (*alive)
        InAbort = false;
}

bool RequestingClient::RunRequest(FtpRequest request, const std::function<bool()>& body) {
    // The window's loop runs inside every request, so a button or a timer can call again; the
    // connection belongs to the request that waits, and a second one would steal its answers.
    if (Busy)
        return false;
    Busy = true;
    AbortRequested = false;
    Code = 0;
    Message.clear();
    auto alive = Alive;
    // Once the program's loop is ending, nothing can be waited for; a new session tries anew.
    if (request == FtpRequest::Connect)
        Ending = false;
    const bool ok = Ending ? false : body();
    if (!*alive)
        return false;
    Busy = false;
    RequestEnded();
    if (AbortRequested || Ending) {
        AbortRequested = false;
        Code = FtpAbortedError;
        Message = std::string(FtpRequestName(request)) +
                  (Ending ? " was abandoned: the program is ending" : " was abandoned by Abort");
        return false;
    }
    if (ok) {
        Code = 0;
        Message.clear();
    } else if (Code == 0) {
        Code = FtpProtocolError; // never report a failure as success
    }
    const int code = Code;
    if (auto notify = OnRequestDone) {
        notify(request, code);
        if (!*alive)
            return false;
    }
    return code == 0;
}

} // namespace dravenloom
