#pragma once

#include <QHostAddress>
#include <QObject>
#include <QSerialPort>
#include <QTcpServer>

class Emulator;
class QTcpSocket;

// The emulated line offered on the network the way a serial device server in raw TCP mode offers a port: one
// client at a time, the bytes as they are. It sits on the far side of the emulator's own pseudo-terminal, so the
// line keeps its 2400-baud pace and its faults; when the line hangs up, the client's connection ends with it.
class TcpListener : public QObject
{
    Q_OBJECT

public:
    explicit TcpListener(Emulator *emulator, QObject *parent = nullptr);
    ~TcpListener() override;

    // False with the reason in *error when the address cannot be listened on.
    bool listen(const QHostAddress &address, quint16 port, QString *error);
    quint16 port() const { return server_.serverPort(); }

signals:
    // What happens to the connection, in a sentence for the person watching.
    void note(const QString &text);

private:
    void accept();
    void fromClient();
    void fromLine();
    void endClient(const QString &why);

    Emulator *emulator_;
    QTcpServer server_;
    QTcpSocket *client_ = nullptr;
    QSerialPort line_;
};
