#include "TabControl.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

TabControl::TabControl(QWidget *parent) : QWidget(parent), tabs_(new QTabBar(this))
{
    setAutoFillBackground(true);
    tabs_->setExpanding(true);
    tabs_->setDrawBase(false);
    tabs_->setFocusPolicy(Qt::StrongFocus);
    tabs_->installEventFilter(this);
    setFocusProxy(tabs_);
    connect(tabs_, &QTabBar::currentChanged, this, &TabControl::showPage);
}

QWidget *TabControl::addTab(const QString &caption)
{
    auto *page = new QWidget(this);
    page->setGeometry(rect());
    pages_.append(page);
    tabs_->addTab(caption);
    tabs_->raise();
    showPage(tabs_->currentIndex());
    return page;
}

int TabControl::count() const
{
    return tabs_->count();
}

QString TabControl::tabText(int index) const
{
    return tabs_->tabText(index);
}

QWidget *TabControl::widget(int index) const
{
    return pages_.value(index);
}

int TabControl::currentIndex() const
{
    return tabs_->currentIndex();
}

void TabControl::setCurrentIndex(int index)
{
    tabs_->setCurrentIndex(index);
}

QColor TabControl::backColor() const
{
    return palette().color(QPalette::Window);
}

void TabControl::setBackColor(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

bool TabControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == tabs_ && event->type() == QEvent::FocusIn)
        emit gotFocus();
    return QWidget::eventFilter(watched, event);
}

void TabControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, tabs_->height() - 1, 0, 0);
    frame.tabBarSize = tabs_->size();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

void TabControl::resizeEvent(QResizeEvent *)
{
    tabs_->setGeometry(0, 0, width(), tabs_->sizeHint().height());
    for (QWidget *page : pages_)
        page->setGeometry(rect());
}

void TabControl::showPage(int index)
{
    for (int i = 0; i < pages_.size(); ++i)
        pages_[i]->setVisible(i == index);
}
