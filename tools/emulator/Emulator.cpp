#include "Emulator.h"

#include <QSocketNotifier>

#include <algorithm>

Emulator::Emulator(Device *device, Options options, QObject *parent)
    : QObject(parent), device_(device), options_(std::move(options)), link_(options_.folder)
{
    pace_.setSingleShot(true);
    pace_.setTimerType(Qt::PreciseTimer);
    connect(&pace_, &QTimer::timeout, this, &Emulator::pump);
    connect(device_, &Device::send, this, &Emulator::queue);
    connect(device_, &Device::hangUp, this, [this] {
        hangUpPending_ = true;
        if (out_.isEmpty())
            dropLine();
    });
}

Emulator::~Emulator()
{
    openNotifier_.reset();
    Pty::unwatch(openWatch_);
    link_.remove();
    Pty::close(pair_);
}

bool Emulator::start()
{
    port_ = options_.port;
    if (options_.nextFree)
        while (!link_.isFree(port_) && port_ < 99)
            ++port_;
    return bringUp();
}

bool Emulator::bringUp()
{
    std::optional<Pty::Pair> pair = Pty::open(&error_);
    if (!pair) {
        error_ = QStringLiteral("No pseudo-terminal: %1.").arg(error_);
        return false;
    }
    if (!link_.make(port_, pair->device, &error_)) {
        Pty::close(*pair);
        return false;
    }
    pair_ = *pair;
    reader_ = std::make_unique<QSocketNotifier>(pair_.master, QSocketNotifier::Read);
    connect(reader_.get(), &QSocketNotifier::activated, this, &Emulator::readLine);
    watchOpenings();
    device_->lineUp();
    emit note(QStringLiteral("COM %1 is %2 (%3)").arg(port_).arg(pair_.device, link_.path(port_)));
    return true;
}

void Emulator::readLine()
{
    for (;;) {
        const QByteArray bytes = Pty::readSome(pair_.master);
        if (bytes.isEmpty())
            return;
        emit crossed(Transcript::Direction::ToDevice, bytes);
        device_->receive(bytes);
    }
}

void Emulator::watchOpenings()
{
    openings_ = 0;
    openWatch_ = Pty::watchOpenings(pair_.device);
    if (openWatch_ < 0) {
        emit note(QStringLiteral("COM %1: the program's closing of its port cannot be seen").arg(port_));
        return;
    }
    openNotifier_ = std::make_unique<QSocketNotifier>(openWatch_, QSocketNotifier::Read);
    connect(openNotifier_.get(), &QSocketNotifier::activated, this, &Emulator::openingsChanged);
}

void Emulator::openingsChanged()
{
    const int before = openings_;
    openings_ = std::max(0, openings_ + Pty::openingsChange(openWatch_));
    if (before == 0 && openings_ > 0)
        emit note(QStringLiteral("COM %1 opened").arg(port_));
    if (before > 0 && openings_ == 0) {
        readLine(); // what was written before the close comes first
        emit note(QStringLiteral("COM %1 closed").arg(port_));
        emit portClosed();
        device_->portClosed();
    }
}

void Emulator::queue(const QByteArray &bytes)
{
    if (!isUp())
        return;
    emit crossed(Transcript::Direction::FromDevice, bytes);
    out_ += bytes;
    if (!pace_.isActive()) {
        clock_.start();
        sentSinceClock_ = 0;
        pump();
    }
}

void Emulator::pump()
{
    if (!isUp())
        return;
    // Every character whose time has come goes out; the timer wakes us for the next one.
    const qint64 due = options_.fast ? out_.size() : charsSince(clock_.nsecsElapsed()) + 1 - sentSinceClock_;
    const QByteArray chunk = out_.left(due);
    const qsizetype taken = Pty::writeSome(pair_.master, chunk);
    if (taken < chunk.size())
        emit note(QStringLiteral("the line is full: %1 bytes dropped").arg(chunk.size() - taken));
    out_.remove(0, chunk.size());
    sentSinceClock_ += chunk.size();
    if (!out_.isEmpty()) {
        const qint64 nextNs = timeOf(sentSinceClock_) - clock_.nsecsElapsed();
        pace_.start(int(std::max<qint64>(0, (nextNs + 999'999) / 1'000'000)));
    } else if (hangUpPending_) {
        dropLine();
    }
}

void Emulator::hangUp()
{
    dropLine();
}

void Emulator::dropLine()
{
    hangUpPending_ = false;
    out_.clear();
    pace_.stop();
    if (!isUp())
        return;
    reader_.reset();
    openNotifier_.reset();
    Pty::unwatch(openWatch_);
    link_.remove();
    Pty::close(pair_);
    emit note(QStringLiteral("COM %1 hung up").arg(port_));
    emit hungUp();
    if (!bringUp())
        emit note(error_);
}

// The line's pace: characters sent in `ns` real nanoseconds, and the real time that `chars` characters take.
qint64 Emulator::charsSince(qint64 ns) const
{
    return qint64(double(ns) * options_.scale / double(Device::CharNs));
}

qint64 Emulator::timeOf(qint64 chars) const
{
    return qint64(double(chars) * double(Device::CharNs) / options_.scale);
}
