#pragma once

#include <QWidget>

// The About box: model, version and the maker's contact lines. It has no behaviour of its own and is
// destroyed when closed.
class frmAbout : public QWidget
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *owner = nullptr);
};
