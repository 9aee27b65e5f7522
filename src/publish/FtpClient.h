// What the upload needs of an FTP client: a session that logs in, changes directory, sets the
// transfer type and stores files, each request blocking its caller while the window goes on.
#pragma once

#include <functional>
#include <string>

namespace dravenloom {

enum class FtpRequest { Connect, Cwd, TypeSet, Put, Quit, Abort };

// Each request blocks until it is finished, at most Timeout seconds, and keeps the window's
// events running meanwhile, so that Abort (and anything else) can run during a request. When a
// request ends, RequestDone is called with its kind and an error code: 0 for success, else the
// server's reply code or a non-zero number of the client's own (a socket error, a timeout),
// with ErrorMessage() saying what happened in words.
class FtpClient {
public:
    virtual ~FtpClient() = default;

    std::string HostName;
    std::string Port = "21"; // decimal text
    std::string UserName;
    std::string PassWord;
    bool Passive = false;      // PASV for the data connection, else PORT
    std::string HostDirName;   // the directory Cwd changes to
    std::string HostFileName;  // the name Put stores under
    std::string LocalFileName; // the file Put sends (UTF-8 path)
    int Timeout = 15;          // seconds for each request

    // The transfer mode of the next TypeSet; sends nothing.
    void SetBinary(bool binary) { Binary = binary; }
    bool GetBinary() const { return Binary; }

    virtual void Connect() = 0; // control connection, then USER and PASS
    virtual void Cwd() = 0;     // CWD HostDirName
    virtual void TypeSet() = 0; // TYPE I when binary, else TYPE A
    virtual void Put() = 0;     // PASV or PORT, then STOR HostFileName with LocalFileName
    virtual void Quit() = 0;    // QUIT and close; nothing to do when not connected
    virtual void Abort() = 0;   // abandons the request in progress and closes the connection
    virtual bool GetConnected() const = 0;
    virtual std::string ErrorMessage() const = 0;

    std::function<void(FtpRequest request, int errorCode)> RequestDone;

protected:
    bool Binary = true;
};

} // namespace dravenloom
