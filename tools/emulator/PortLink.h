#pragma once

#include <QString>

#include <utility>

// The link com<n> in the data folder through which the program finds the emulated line. The emulator makes
// only links that are free and removes only the link it made: a user's link to a real adapter is never touched.
class PortLink
{
public:
    explicit PortLink(QString folder) : folder_(std::move(folder)) {}
    ~PortLink() { remove(); }
    PortLink(const PortLink &) = delete;
    PortLink &operator=(const PortLink &) = delete;

    // Points com<n> at the device. A com<n> that exists and is not a leftover (a link to a pseudo-terminal that
    // is gone) is refused; false with the reason in *error.
    bool make(int n, const QString &device, QString *error);
    // Removes the link if it is still the one this object made.
    void remove();
    // True when make(n, ...) would not refuse.
    bool isFree(int n) const;

    QString path(int n) const;

private:
    QString folder_;
    QString made_;       // the link made, empty when none
    QString madeTarget_; // and where it points
};
