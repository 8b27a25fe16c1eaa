#pragma once

#include <QVector>
#include <QWidget>

class QLabel;

// The About box: model, version and the maker's contact lines. It has no behaviour of its own, is centred
// on the screen when it is made, and is destroyed when closed.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *owner = nullptr);

    QLabel *Label1, *Label2;
    QVector<QLabel *> Label3; // the maker's name and contact lines
};
