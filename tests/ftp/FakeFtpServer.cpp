// The scripted FTP server of the client tests.
#include "FakeFtpServer.h"

#include <QTimer>

#include <memory>
#include <sstream>

namespace dravenloom {

FakeFtpServer::FakeFtpServer() {
    Control.listen(QHostAddress::LocalHost, 0);
    connect(&Control, &QTcpServer::newConnection, this, [this] { Accept(); });
    connect(&DataListener, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = DataListener.nextPendingConnection())
            WatchData(socket);
    });
}

quint16 FakeFtpServer::DeadPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    quint16 port = probe.serverPort();
    probe.close();
    return port;
}

bool FakeFtpServer::Received(const std::string& verb) const {
    for (const std::string& command : Commands)
        if (command.rfind(verb, 0) == 0)
            return true;
    return false;
}

void FakeFtpServer::Accept() {
    while (QTcpSocket* socket = Control.nextPendingConnection()) {
        // A new session replaces the old one, as after the client's Abort.
        if (Session)
            Session->abort();
        Pending.clear();
        Session = socket;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, [this] { ReadCommands(); });
        if (GreetingPieceSize > 0)
            SendInPieces(Greeting, GreetingPieceSize, GreetingPieceInterval);
        else if (!Greeting.empty())
            Send(Greeting);
    }
}

void FakeFtpServer::Send(const std::string& bytes) {
    QByteArray out = QByteArray::fromStdString(bytes);
    if (BareLf)
        out.replace("\r\n", "\n");
    if (Session)
        Session->write(out);
}

void FakeFtpServer::SendInPieces(const std::string& bytes, int pieceSize, int interval) {
    auto rest = std::make_shared<std::string>(bytes);
    auto timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, rest, pieceSize, timer] {
        if (rest->empty() || !Session) {
            timer->deleteLater();
            timer->stop();
            return;
        }
        Send(rest->substr(0, pieceSize));
        Session->flush();
        rest->erase(0, pieceSize);
    });
    timer->start(interval);
}

void FakeFtpServer::CloseControl() {
    if (Session)
        Session->disconnectFromHost();
}

void FakeFtpServer::ReadCommands() {
    Pending += Session->readAll();
    for (qsizetype end; (end = Pending.indexOf("\r\n")) >= 0;) {
        std::string line = Pending.left(end).toStdString();
        Pending.remove(0, end + 2);
        Dispatch(line);
        if (!Session)
            return;
    }
}

void FakeFtpServer::Dispatch(const std::string& line) {
    Commands.push_back(line);
    std::string verb = line.substr(0, line.find(' '));
    std::string argument = line.size() > verb.size() + 1 ? line.substr(verb.size() + 1) : "";
    if (auto handler = Handlers.find(verb); handler != Handlers.end())
        return handler->second(argument);
    if (auto reply = Replies.find(verb); reply != Replies.end())
        return Send(reply->second);
    Default(verb, argument);
}

void FakeFtpServer::Default(const std::string& verb, const std::string& argument) {
    if (verb == "USER")
        return Send("331 Password please\r\n");
    if (verb == "PASS")
        return Send("230 Logged in\r\n");
    if (verb == "CWD")
        return Send("250 Directory changed\r\n");
    if (verb == "TYPE")
        return Send("200 Type set to " + argument + "\r\n");
    if (verb == "PASV") {
        DataListener.close();
        DataListener.listen(QHostAddress::LocalHost, 0);
        int port = DataListener.serverPort();
        if (PassiveReply)
            return Send(PassiveReply(port));
        return Send("227 Entering Passive Mode (127,0,0,1," + std::to_string(port / 256) + ',' +
                    std::to_string(port % 256) + ").\r\n");
    }
    if (verb == "PORT") {
        std::istringstream numbers(argument);
        int n[6] = {};
        char comma = 0;
        numbers >> n[0] >> comma >> n[1] >> comma >> n[2] >> comma >> n[3] >> comma >> n[4] >>
            comma >> n[5];
        ClientDataPort = static_cast<quint16>(n[4] * 256 + n[5]);
        if (ConnectBackOnPort && !ConnectBackAtStore)
            ConnectBack();
        return Send("200 PORT command successful\r\n");
    }
    if (verb == "STOR") {
        StoreActive = true;
        Stored.clear();
        DataClosed = false;
        Send(StorePreliminary);
        if (ConnectBackOnPort && ConnectBackAtStore)
            ConnectBack();
        return;
    }
    if (verb == "QUIT") {
        Send("221 Goodbye\r\n");
        return CloseControl();
    }
    if (verb == "ABOR")
        return Send("426 Transfer aborted\r\n226 ABOR command successful\r\n");
    Send("502 Command not implemented\r\n");
}

void FakeFtpServer::ConnectBack() {
    auto socket = new QTcpSocket(this);
    WatchData(socket);
    if (!ConnectBackFrom.isNull())
        socket->bind(ConnectBackFrom, 0);
    socket->connectToHost(QHostAddress::LocalHost, ClientDataPort);
}

void FakeFtpServer::WatchData(QTcpSocket* socket) {
    Data = socket;
    Stored.clear();
    DataClosed = false;
    if (ResetDataAfter > 0 || SlowData.Bytes > 0) {
        // Small buffers on both sides of the system, so that what is not taken here stays with
        // the client, as on a slow line.
        const qint64 piece = ResetDataAfter > 0 ? ResetDataAfter : SlowData.Bytes;
        socket->setReadBufferSize(piece);
        socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 64 * 1024);
    }
    if (SlowData.Bytes > 0) {
        auto pace = new QTimer(socket);
        connect(pace, &QTimer::timeout, this, [this, socket] { TakeData(socket); });
        pace->start(SlowData.Interval);
    } else {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { TakeData(socket); });
    }
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        if (socket->isOpen())
            Stored += socket->readAll();
        DataClosed = true;
        if (StoreActive) {
            StoreActive = false;
            Send(StoreFinal);
        }
        socket->deleteLater();
    });
}

void FakeFtpServer::TakeData(QTcpSocket* socket) {
    if (socket->state() != QAbstractSocket::ConnectedState || HoldData)
        return;
    Stored += SlowData.Bytes > 0 ? socket->read(SlowData.Bytes) : socket->readAll();
    if (ResetDataAfter > 0 && Stored.size() >= ResetDataAfter) {
        // Closed with bytes unread, the system resets the connection; and then the server
        // claims the file anyway.
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
        DataClosed = true;
        if (StoreActive) {
            StoreActive = false;
            Send(StoreFinal);
        }
    }
}

} // namespace dravenloom
