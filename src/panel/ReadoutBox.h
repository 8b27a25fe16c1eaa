#pragma once

#include <QStringList>
#include <QWidget>

// A borderless box that text is printed into, line by line, from its top left corner.
class ReadoutBox : public QWidget
{
    Q_OBJECT

public:
    explicit ReadoutBox(QWidget *parent = nullptr);

    // Clears the box; printing starts again at the top left corner.
    void Cls();
    // Prints a text and ends the line.
    void Print(const QString &text);

    QStringList lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList lines_;
};
