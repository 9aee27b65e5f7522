// A scripted stand-in for dravenloom::FtpClient: records every call with the settings it used,
// and fails the requests a test chooses. It keeps the client's rules (notification after each
// request, none for a request abandoned by Abort, a call refused while another waits, Quit and
// Abort without a connection succeed), so tests of the upload see what the real client does.
//
//   ScriptedFtpClient ftp;
//   ftp.Failures.push_back({FtpRequest::Put, 2, 550, "The server answered STOR ..."}); // 2nd Put
//   ftp.DuringRequest = [&](FtpRequest r, int nth) { if (r == FtpRequest::Put) upload.Abort(); };
//   ... run the upload ...
//   EXPECT_EQ(ftp.Calls, (std::vector<std::string>{"Connect host:21 alice", "Cwd www", ...}));
//
// Calls read: "Connect HOST:PORT USER" (passive adds " passive", another protocol than FTP
// " ftps" or " sftp", a trusted fingerprint " trusting FINGERPRINT"), "Cwd DIR", "TypeSet I" or
// "TypeSet A", "Put LOCAL -> REMOTE", "Quit", "Abort"; a call refused because another waits is
// logged with " (refused)". Notifications lists every OnRequestDone as "Kind code".
#pragma once

#include "publish/FtpClient.h"

#include <functional>
#include <string>
#include <vector>

namespace dravenloom {

class ScriptedFtpClient : public FtpClient {
public:
    struct Failure {
        FtpRequest Request;
        int Nth = 1; // the nth call of that kind fails (1-based)
        int Code = 550;
        std::string Message = "Refused";
        bool Disconnects = false; // as a timeout or a lost connection does
    };
    std::vector<Failure> Failures;
    // Runs while a request "waits", as the window's loop runs inside a real request.
    std::function<void(FtpRequest request, int nth)> DuringRequest;

    std::vector<std::string> Calls;
    std::vector<std::string> Notifications;
    bool Connected = false;
    // What ServerFingerprint gives after a Connect.
    std::string Fingerprint;

    bool Connect() override {
        const char* protocols[] = {"", " ftps", " sftp"};
        return Run(FtpRequest::Connect,
                   "Connect " + HostName + ':' + Port + ' ' + UserName +
                       (Passive ? " passive" : "") + protocols[static_cast<int>(Protocol)] +
                       (TrustedFingerprint.empty() ? "" : " trusting " + TrustedFingerprint));
    }
    bool Cwd() override { return Run(FtpRequest::Cwd, "Cwd " + HostDirName); }
    bool TypeSet() override {
        return Run(FtpRequest::TypeSet, std::string("TypeSet ") + (Binary ? "I" : "A"));
    }
    bool Put() override {
        return Run(FtpRequest::Put, "Put " + LocalFileName + " -> " + HostFileName);
    }
    bool Quit() override { return Run(FtpRequest::Quit, "Quit"); }
    void Abort() override {
        Calls.push_back("Abort");
        if (Busy)
            AbortRequested = true;
        Connected = false;
        Notify(FtpRequest::Abort, 0);
    }
    bool GetConnected() const override { return Connected; }
    int ErrorCode() const override { return Code; }
    std::string ErrorMessage() const override { return Message; }
    std::string ServerFingerprint() const override { return Fingerprint; }

private:
    bool Run(FtpRequest request, const std::string& call) {
        if (Busy) {
            Calls.push_back(call + " (refused)");
            return false;
        }
        Calls.push_back(call);
        int nth = ++Counts[static_cast<int>(request)];
        Busy = true;
        AbortRequested = false;
        if (DuringRequest)
            DuringRequest(request, nth);
        Busy = false;
        if (AbortRequested) {
            Code = FtpAbortedError;
            Message = std::string(FtpRequestName(request)) + " was abandoned by Abort";
            return false;
        }
        Code = 0;
        Message.clear();
        bool needsSession = request == FtpRequest::Cwd || request == FtpRequest::TypeSet ||
                            request == FtpRequest::Put;
        if (needsSession && !Connected) {
            Code = FtpNotConnectedError;
            Message = "Not connected to " + HostName + ':' + Port;
        }
        for (const Failure& failure : Failures) {
            if (failure.Request == request && failure.Nth == nth) {
                Code = failure.Code;
                Message = failure.Message;
                if (failure.Disconnects || request == FtpRequest::Connect)
                    Connected = false;
            }
        }
        if (Code == 0 && request == FtpRequest::Connect)
            Connected = true;
        if (request == FtpRequest::Quit)
            Connected = false;
        int code = Code;
        Notify(request, code);
        return code == 0;
    }

    void Notify(FtpRequest request, int code) {
        Notifications.push_back(std::string(FtpRequestName(request)) + ' ' + std::to_string(code));
        if (auto notify = OnRequestDone)
            notify(request, code);
    }

    bool Busy = false;
    bool AbortRequested = false;
    int Counts[6] = {};
    int Code = 0;
    std::string Message;
};

} // namespace dravenloom
