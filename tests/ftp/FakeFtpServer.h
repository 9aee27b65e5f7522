// A scripted FTP server inside the test process, on 127.0.0.1, for the reply forms and faults a
// real server seldom shows. It runs on the same thread as the client, which is fine: the client
// waits by running the event loop.
//
// By default it behaves: "220" greeting, USER 331, PASS 230, CWD 250, TYPE 200, PASV 227 with a
// listening port, PORT 200 after connecting back, STOR 150 then 226 once the data connection is
// closed, QUIT 221 and close, ABOR 426 and 226. A test changes that per command:
//
//   FakeFtpServer server;
//   server.Greeting = "120 Soon\r\n220 Ready\r\n";        // any bytes, sent in one write
//   server.Replies["CWD"] = "550 No such directory\r\n";  // sent instead of the default
//   server.Replies["STOR"] = "";                          // silence
//   server.Handlers["STOR"] = [&](const std::string&) { server.Send("150 Go\r\n"); ... };
//   server.PassiveReply = [](int port) { return "227 Entering passive mode. 127,0,0,1,...\r\n"; };
//   server.StoreFinal = "426 Broken\r\n";                 // what follows the data's end
//   server.ResetDataAfter = 1000;   // take 1,000 bytes, reset the data connection, send StoreFinal
//   server.SlowData = {4096, 10};   // a slow line: 4 KB every 10 ms, with small system buffers
//   server.ConnectBackFrom = QHostAddress("127.0.0.2"); // PORT's connection from elsewhere
//   server.ConnectBackAtStore = true;                    // ... made after STOR's 150, not at PORT
//
// Recorded: Commands (every line received, without CR LF), Stored (the bytes of the last
// data connection), DataClosed.
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace dravenloom {

class FakeFtpServer : public QObject {
public:
    FakeFtpServer();

    quint16 Port() const { return Control.serverPort(); }
    std::string PortText() const { return std::to_string(Port()); }

    std::string Greeting = "220 Fake server ready\r\n";
    int GreetingPieceSize = 0;     // > 0: the greeting goes in pieces of this size,
    int GreetingPieceInterval = 2; // this many milliseconds apart
    std::map<std::string, std::string> Replies;
    std::map<std::string, std::function<void(const std::string& argument)>> Handlers;
    std::function<std::string(int port)> PassiveReply;
    std::string StorePreliminary = "150 Opening data connection\r\n";
    std::string StoreFinal = "226 Transfer complete\r\n";
    bool ConnectBackOnPort = true; // PORT: connect to the client's listener
    bool ConnectBackAtStore = false;
    QHostAddress ConnectBackFrom; // null: any local address
    bool BareLf = false;          // every reply line ends in LF alone
    qint64 ResetDataAfter = 0;    // > 0: the data connection is reset after this many bytes
    struct Pace {
        qint64 Bytes = 0; // > 0: taken from the data connection this many at a time
        int Interval = 10;
    } SlowData;
    bool HoldData = false; // with SlowData: take nothing more, as a line that stalls

    std::vector<std::string> Commands;
    QByteArray Stored;
    bool DataClosed = false;
    bool StoreActive = false;

    void Send(const std::string& bytes);
    // Sends the bytes in pieces, one every interval, so the client reads them in many reads.
    void SendInPieces(const std::string& bytes, int pieceSize, int interval = 2);
    void CloseControl();
    // A passive data port with nothing listening on it any more.
    static quint16 DeadPort();
    bool Received(const std::string& verb) const;

private:
    void Accept();
    void ReadCommands();
    void Dispatch(const std::string& line);
    void Default(const std::string& verb, const std::string& argument);
    void WatchData(QTcpSocket* socket);
    void ConnectBack();
    void TakeData(QTcpSocket* socket);

    QTcpServer Control;
    QTcpServer DataListener;
    QPointer<QTcpSocket> Session;
    QPointer<QTcpSocket> Data;
    QByteArray Pending;
    quint16 ClientDataPort = 0;
};

} // namespace dravenloom
