#pragma once

#include <QWidget>

class QTabBar;

// A tabbed dialog control: one row of tabs over pages that each cover the whole control, so that the
// controls on a page are placed from the control's own top-left corner, tab row included. The tab row takes
// the keyboard focus for the control; gotFocus() tells when it does.
class TabControl : public QWidget
{
    Q_OBJECT

public:
    explicit TabControl(QWidget *parent = nullptr);

    // Adds a page with the given tab caption; place its controls on the returned page.
    QWidget *addTab(const QString &caption);
    int count() const;
    QString tabText(int index) const;
    QWidget *widget(int index) const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    QTabBar *tabBar() const { return tabs_; }

    QColor backColor() const;
    void setBackColor(const QColor &colour);

signals:
    void gotFocus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPage(int index);

    QTabBar *tabs_;
    QList<QWidget *> pages_;
};
