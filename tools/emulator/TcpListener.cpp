#include "TcpListener.h"

#include "Emulator.h"

#include <QTcpSocket>

TcpListener::TcpListener(Emulator *emulator, QObject *parent) : QObject(parent), emulator_(emulator)
{
    connect(&server_, &QTcpServer::newConnection, this, &TcpListener::accept);
    connect(&line_, &QSerialPort::readyRead, this, &TcpListener::fromLine);
    connect(emulator_, &Emulator::hungUp, this, [this] { endClient(QStringLiteral("the line hung up")); });
}

TcpListener::~TcpListener()
{
    // The client goes with the server it came from; it has nothing more to tell.
    if (client_)
        disconnect(client_, nullptr, this, nullptr);
}

bool TcpListener::listen(const QHostAddress &address, quint16 port, QString *error)
{
    if (server_.listen(address, port))
        return true;
    *error = QStringLiteral("Cannot listen on %1:%2: %3.").arg(address.toString()).arg(port).arg(server_.errorString());
    return false;
}

void TcpListener::accept()
{
    while (QTcpSocket *socket = server_.nextPendingConnection()) {
        const QString peer = QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        if (client_) {
            // As a device server does: the port is taken.
            emit note(QStringLiteral("%1 turned away: another client has the line").arg(peer));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        line_.setPortName(emulator_->device());
        line_.setBaudRate(2400);
        if (!line_.open(QIODevice::ReadWrite)) {
            emit note(QStringLiteral("%1 turned away: the line would not open (%2)").arg(peer, line_.errorString()));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        client_ = socket;
        client_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(client_, &QTcpSocket::readyRead, this, &TcpListener::fromClient);
        connect(client_, &QTcpSocket::disconnected, this,
                [this] { endClient(QStringLiteral("the client closed the connection")); });
        emit note(QStringLiteral("%1 connected").arg(peer));
    }
}

void TcpListener::fromClient()
{
    line_.write(client_->readAll());
}

void TcpListener::fromLine()
{
    const QByteArray bytes = line_.readAll();
    if (client_)
        client_->write(bytes);
}

void TcpListener::endClient(const QString &why)
{
    if (!client_)
        return;
    QTcpSocket *client = std::exchange(client_, nullptr);
    disconnect(client, nullptr, this, nullptr);
    client->abort();
    client->deleteLater();
    line_.close();
    emit note(QStringLiteral("Connection ended: %1").arg(why));
}
