// Holds a serial port open, as another program would, until its standard input closes. Prints "open" once the
// port is held, or the reason it could not be opened.
#include <QCoreApplication>
#include <QFile>
#include <QSerialPort>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    QTextStream out(stdout);
    if (!port.open(QIODevice::ReadWrite)) {
        out << port.errorString() << Qt::endl;
        return 1;
    }
    out << "open" << Qt::endl;
    QFile in;
    in.open(stdin, QIODevice::ReadOnly);
    in.readAll();
    return 0;
}
