#include "TypingLimit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

void TypingLimit::apply(QLineEdit *box, int limit)
{
    new TypingLimit(box, limit);
}

TypingLimit::TypingLimit(QLineEdit *box, int limit) : QObject(box), box_(box), limit_(limit)
{
    box->setAcceptDrops(false);
    box->installEventFilter(this);
}

qsizetype TypingLimit::room() const
{
    return limit_ - (box_->text().size() - box_->selectedText().size());
}

void TypingLimit::paste(const QString &text)
{
    const qsizetype fits = qMax<qsizetype>(0, room());
    if (fits > 0 && !text.isEmpty())
        box_->insert(text.left(fits));
}

bool TypingLimit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != box_ || box_->isReadOnly())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste)) {
            paste(QGuiApplication::clipboard()->text());
            return true;
        }
        const QString text = key->text();
        const bool typesText =
            !text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        return typesText && room() < text.size();
    }
    case QEvent::InputMethod: {
        auto *input = static_cast<QInputMethodEvent *>(event);
        return room() < input->commitString().size();
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection())
            return false;
        paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
        return true;
    }
    case QEvent::ContextMenu: {
        auto *request = static_cast<QContextMenuEvent *>(event);
        QMenu *menu = box_->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        if (QAction *pasteAction = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
            pasteAction->disconnect();
            connect(pasteAction, &QAction::triggered, this, [this] { paste(QGuiApplication::clipboard()->text()); });
        }
        menu->popup(request->globalPos());
        return true;
    }
    default: return false;
    }
}
