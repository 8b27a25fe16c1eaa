#pragma once

#include <QFrame>

// One indicator lamp: a small bordered box, red when lit and white when not.
class Lamp : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(bool lit READ lit WRITE setLit)

public:
    explicit Lamp(QWidget *parent = nullptr);

    // A new lamp beside this one: same parent, place, size, border and state, not yet shown.
    Lamp *copy() const;

    bool lit() const { return lit_; }
    void setLit(bool lit);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool lit_ = true;
};
