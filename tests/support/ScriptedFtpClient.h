// An FTP client that sends nothing: every request is recorded, succeeds unless a test says it
// fails, and can run a test's action while it "waits", as the window's events run during a
// real request.
//
//   ScriptedFtpClient ftp;
//   ftp.FailAt("put Dravenloom.class", 550, "No such directory");
//   ftp.During("put guide.dvx", [&] { page.AbortBtnClick(); });
//   ... run the upload ...
//   ftp.Calls  // "connect host:21 user/pw", "cwd web", "type I", "put guide.dvx < /x/guide.dvx",
//   ...
#pragma once

#include "publish/FtpClient.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dravenloom {

class ScriptedFtpClient : public FtpClient {
public:
    std::vector<std::string> Calls;
    bool Connected = false;

    // The request whose call text starts with `call` ends with this code and message.
    void FailAt(const std::string& call, int code, std::string message) {
        Failures[call] = {code, std::move(message)};
    }
    // The action runs inside the request whose call text starts with `call`, before it ends.
    void During(const std::string& call, std::function<void()> action) {
        Actions[call] = std::move(action);
    }

    bool Connect() override {
        return Request(FtpRequest::Connect, "connect " + HostName + ":" + Port + " " + UserName +
                                                "/" + PassWord + (Passive ? " passive" : ""));
    }
    bool Cwd() override { return Request(FtpRequest::Cwd, "cwd " + HostDirName); }
    bool TypeSet() override { return Request(FtpRequest::TypeSet, Binary ? "type I" : "type A"); }
    bool Put() override {
        return Request(FtpRequest::Put, "put " + HostFileName + " < " + LocalFileName);
    }
    // Quit and Abort without a connection succeed and send nothing, as the real client's do.
    bool Quit() override {
        Calls.push_back("quit");
        Connected = false;
        return Done(FtpRequest::Quit, 0);
    }
    void Abort() override {
        Calls.push_back("abort");
        Connected = false;
        Aborted = true;
        Done(FtpRequest::Abort, 0);
    }
    bool GetConnected() const override { return Connected; }
    int ErrorCode() const override { return Code; }
    std::string ErrorMessage() const override { return Message; }

private:
    struct Failure {
        int Code;
        std::string Message;
    };

    bool Request(FtpRequest request, const std::string& call) {
        Calls.push_back(call);
        if (request != FtpRequest::Connect && !Connected) {
            Message = "Not connected";
            return Done(request, FtpNotConnectedError);
        }
        Aborted = false;
        for (const auto& [prefix, action] : Actions)
            if (call.rfind(prefix, 0) == 0 && action)
                action();
        // A request abandoned by Abort ends without a notification of its own.
        if (Aborted) {
            Code = FtpAbortedError;
            return false;
        }
        for (const auto& [prefix, failure] : Failures) {
            if (call.rfind(prefix, 0) == 0) {
                Message = failure.Message;
                if (request == FtpRequest::Connect)
                    Connected = false;
                return Done(request, failure.Code);
            }
        }
        if (request == FtpRequest::Connect)
            Connected = true;
        Message.clear();
        return Done(request, 0);
    }
    bool Done(FtpRequest request, int code) {
        Code = code;
        if (OnRequestDone)
            OnRequestDone(request, code);
        return code == 0;
    }

    std::map<std::string, Failure> Failures;
    std::map<std::string, std::function<void()>> Actions;
    std::string Message;
    int Code = 0;
    bool Aborted = false;
};

} // namespace dravenloom
