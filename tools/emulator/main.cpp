// sonarelle-emulator: the processor at the other end of a pseudo-terminal, reachable by the control program as
// COM n, directly or through a modem that dials it. It prints what crosses the line.
#include "EmulatedModem.h"
#include "EmulatedProcessor.h"
#include "Emulator.h"
#include "Pty.h"
#include "TcpListener.h"
#include "Transcript.h"
#include "app/DataFolder.h"
#include "link/PortTarget.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>

namespace {

int number(const QCommandLineParser &parser, const QCommandLineOption &option, int fallback)
{
    if (!parser.isSet(option))
        return fallback;
    bool ok = false;
    const int n = parser.value(option).toInt(&ok);
    if (!ok || n < 0) {
        QTextStream(stderr) << "--" << option.names().constLast() << " needs a whole number, not \""
                            << parser.value(option) << "\".\n";
        std::exit(2);
    }
    return n;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The control program's names, so that the data folder is the program's.
    QCoreApplication::setOrganizationName(QStringLiteral("Brevantic"));
    QCoreApplication::setApplicationName(QStringLiteral("Sonarelle"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Stands in for the Sonarelle processor on a pseudo-terminal linked as COM n in the data folder."));
    parser.addHelpOption();
    const QCommandLineOption port({QStringLiteral("p"), QStringLiteral("port")},
                                  QStringLiteral("Appear as COM <n> (default 1)."), QStringLiteral("n"));
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    QStringLiteral("Put the com<n> link in <dir> instead of the data folder."),
                                    QStringLiteral("dir"));
    const QCommandLineOption nextFree(QStringLiteral("next-free"),
                                      QStringLiteral("When COM <n> is taken, use the next free number."));
    const QCommandLineOption fast(QStringLiteral("fast"), QStringLiteral("Send at once, not at 2400 baud."));
    const QCommandLineOption status(QStringLiteral("status"),
                                    QStringLiteral("Start with these values, e.g. 3x5x2x2x0x (PP, PD, HQ, LQ, proof)."),
                                    QStringLiteral("text"));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Do not print what crosses the line."));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Fault: answer nothing."));
    const QCommandLineOption cut(QStringLiteral("cut"), QStringLiteral("Fault: cut every reply to <n> characters."),
                                 QStringLiteral("n"));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Fault: hold every reply back <ms>."),
                                   QStringLiteral("ms"));
    const QCommandLineOption noise(QStringLiteral("noise"),
                                   QStringLiteral("Fault: send <n> random bytes before every reply."),
                                   QStringLiteral("n"));
    const QCommandLineOption proofStuck(QStringLiteral("proof-stuck"),
                                        QStringLiteral("Fault: proof mode does not switch."));
    const QCommandLineOption hangUpAfter(QStringLiteral("hang-up-after"),
                                         QStringLiteral("Fault: hang up after answering <n> commands."),
                                         QStringLiteral("n"));
    const QCommandLineOption modem(QStringLiteral("modem"),
                                   QStringLiteral("Put a Hayes-compatible modem in front of the processor."));
    const QCommandLineOption dial(QStringLiteral("dial"),
                                  QStringLiteral("What a dial gives: connect (default), busy, no-dialtone, no-carrier, "
                                                 "no-answer or none (the modem says nothing)."),
                                  QStringLiteral("outcome"));
    const QCommandLineOption ring(QStringLiteral("ring"),
                                  QStringLiteral("Ring time before the dial's outcome (default 6000)."),
                                  QStringLiteral("ms"));
    const QCommandLineOption modemScale(QStringLiteral("modem-scale"),
                                        QStringLiteral("Run the modem's pauses (commas, ring, guard time) <n> times "
                                                       "faster."),
                                        QStringLiteral("n"));
    const QCommandLineOption numeric(QStringLiteral("numeric"),
                                     QStringLiteral("Fault: the modem gives its results as numbers (as after ATV0)."));
    const QCommandLineOption noOk(QStringLiteral("no-ok"), QStringLiteral("Fault: the modem never says OK."));
    const QCommandLineOption listen(QStringLiteral("listen"),
                                    QStringLiteral("Also offer the line on the network, as a device server in raw TCP "
                                                   "mode does (one client at a time), e.g. 127.0.0.1:4001. The "
                                                   "program reaches it when a COM port is linked to "
                                                   "tcp://127.0.0.1:4001. Without --folder, no com<n> link is made "
                                                   "in the data folder."),
                                    QStringLiteral("host:port"));
    const QCommandLineOption results(QStringLiteral("results"),
                                     QStringLiteral("The modem's result set, as after ATX<n> (0 to 4, default 4)."),
                                     QStringLiteral("n"));
    const QCommandLineOption quietResults(QStringLiteral("quiet-results"),
                                          QStringLiteral("The modem says no results, as after ATQ1."));
    const QCommandLineOption info(QStringLiteral("info"),
                                  QStringLiteral("The modem says CARRIER 2400 and PROTOCOL: NONE before CONNECT, as "
                                                 "after ATW1."));
    const QCommandLineOption dropAfter(
        QStringLiteral("drop-after"),
        QStringLiteral("Fault: the carrier fails after the processor's <n>-th reply of a "
                       "call, or <n>ms after CONNECT (\"5000ms\")."),
        QStringLiteral("n"));
    const QCommandLineOption lenient(
        QStringLiteral("lenient"), QStringLiteral("The modem counts no wire time: the guard time runs from the moment "
                                                  "characters are written."));
    parser.addOptions({port,    folder, nextFree,   fast,         status, quiet,     silent,  cut,
                       delay,   noise,  proofStuck, hangUpAfter,  modem,  dial,      ring,    modemScale,
                       numeric, noOk,   results,    quietResults, info,   dropAfter, lenient, listen});
    parser.process(app);

    EmulatedProcessor processor;
    processor.faults.silent = parser.isSet(silent);
    processor.faults.cutTo = number(parser, cut, -1);
    processor.faults.delayMs = number(parser, delay, 0);
    processor.faults.noise = number(parser, noise, 0);
    processor.faults.proofStuck = parser.isSet(proofStuck);
    processor.faults.hangUpAfter = number(parser, hangUpAfter, 0);
    if (parser.isSet(status) && !processor.setStatus(parser.value(status).toLatin1())) {
        QTextStream(stderr) << "--status needs five digits each followed by x, e.g. 3x5x2x2x0x.\n";
        return 2;
    }

    const QStringList outcomes{QStringLiteral("connect"),    QStringLiteral("busy"),      QStringLiteral("no-dialtone"),
                               QStringLiteral("no-carrier"), QStringLiteral("no-answer"), QStringLiteral("none")};
    const qsizetype outcome = parser.isSet(dial) ? outcomes.indexOf(parser.value(dial)) : 0;
    if (outcome < 0) {
        QTextStream(stderr) << "--dial needs one of " << outcomes.join(QStringLiteral(", ")) << ".\n";
        return 2;
    }
    EmulatedModem::Options modemOptions;
    modemOptions.dial = EmulatedModem::Outcome(outcome);
    modemOptions.ringMs = number(parser, ring, modemOptions.ringMs);
    modemOptions.timeScale = std::max(1, number(parser, modemScale, 1));
    modemOptions.numeric = parser.isSet(numeric);
    modemOptions.neverOk = parser.isSet(noOk);
    modemOptions.results = number(parser, results, modemOptions.results);
    if (modemOptions.results > 4) {
        QTextStream(stderr) << "--results needs 0 to 4.\n";
        return 2;
    }
    modemOptions.quiet = parser.isSet(quietResults);
    modemOptions.informational = parser.isSet(info);
    modemOptions.lenient = parser.isSet(lenient);
    if (parser.isSet(dropAfter)) {
        QString text = parser.value(dropAfter);
        const bool ms = text.endsWith(QLatin1String("ms"));
        if (ms)
            text.chop(2);
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n <= 0) {
            QTextStream(stderr) << "--drop-after needs a number of replies or of milliseconds, e.g. 3 or 5000ms.\n";
            return 2;
        }
        (ms ? modemOptions.dropAfterMs : modemOptions.dropAfterReplies) = n;
    }
    EmulatedModem modemDevice(&processor, modemOptions);
    Device *device = parser.isSet(modem) ? static_cast<Device *>(&modemDevice) : &processor;

    // The address to listen on, read as the program reads a raw TCP port's address.
    std::optional<PortTarget> listenAt;
    if (parser.isSet(listen)) {
        listenAt = PortTarget::parse(QStringLiteral("tcp://") + parser.value(listen));
        if (!listenAt) {
            QTextStream(stderr) << "--listen needs a host and a port, e.g. 127.0.0.1:4001.\n";
            return 2;
        }
    }
    // Reached over the network, the line needs no link in the data folder, where it could clash with the user's.
    QTemporaryDir linkFolder;
    Emulator::Options options;
    options.port = number(parser, port, 1);
    options.folder = parser.isSet(folder) ? parser.value(folder) : listenAt ? linkFolder.path() : DataFolder::path();
    options.nextFree = parser.isSet(nextFree);
    options.fast = parser.isSet(fast);
    Emulator emulator(device, options);

    QTextStream out(stdout);
    const auto say = [&out](const QString &text) {
        out << QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) << " " << text << Qt::endl;
    };
    QObject::connect(&emulator, &Emulator::note, say);
    if (!parser.isSet(quiet))
        QObject::connect(&emulator, &Emulator::crossed, [&out](Transcript::Direction d, const QByteArray &bytes) {
            out << Transcript::line(QTime::currentTime(), d, bytes) << Qt::endl;
        });

    if (!emulator.start()) {
        QTextStream(stderr) << emulator.error() << "\n";
        return 1;
    }
    TcpListener listener(&emulator);
    QObject::connect(&listener, &TcpListener::note, say);
    if (listenAt) {
        QString error;
        const QHostAddress address(listenAt->host);
        if (address.isNull() || !listener.listen(address, listenAt->port, &error)) {
            QTextStream(stderr)
                << (address.isNull() ? QStringLiteral("--listen needs an IP address, not \"%1\".").arg(listenAt->host)
                                     : error)
                << "\n";
            return 1;
        }
        say(QStringLiteral("Listening on %1 (raw TCP): link a COM port to %2")
                .arg(parser.value(listen), listenAt->text()));
    }
    Pty::quitOnSignals();
    return app.exec();
}
