#include "TestMain.h"

#include "app/frmAbout.h"
#include "panel/Twips.h"
#include "panel/frmMain.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QScreen>

namespace {

QList<frmAbout *> aboutBoxes()
{
    QList<frmAbout *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<frmAbout *>(w); box && box->isVisible())
            boxes << box;
    return boxes;
}

void verifyCentred(QWidget *w)
{
    const QRect screen = w->screen()->geometry();
    QVERIFY(qAbs(w->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(w->frameGeometry().center().y() - screen.center().y()) <= 1);
}

} // namespace

class tst_frmAbout : public QObject
{
    Q_OBJECT

private slots:
    void contents()
    {
        frmAbout box;
        QCOMPARE(box.windowTitle(), QString("About "));
        QCOMPARE(box.size(), Twips::size(4590, 3120));
        QVERIFY(!(box.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(box.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!box.windowIcon().isNull());
        QCOMPARE(box.Label1->text(), QString("Brevantic Inc. Model Sonarelle"));
        QVERIFY(box.Label1->font().bold());
        QCOMPARE(box.Label2->text(), QString("Version - 1.1.0"));
        QCOMPARE(box.Label3.size(), 5);
        QCOMPARE(box.Label3[0]->text(), QString("Brevantic Inc."));
        for (QLabel *line : box.Label3) {
            QVERIFY(!line->text().isEmpty());
            QVERIFY(line->alignment() & Qt::AlignHCenter);
        }
        QCOMPARE(box.Label3[4]->geometry(), Twips::rect(360, 2760, 3855, 255));
    }

    // One box at a time, non-modal, centred each time it is made, and made afresh after it is closed.
    void oneAtATimeAndRecreatedAfterClose()
    {
        frmMain w;
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        w.mnuAbout->trigger();
        QCOMPARE(aboutBoxes().size(), 1);
        QPointer<frmAbout> first = aboutBoxes().first();
        QVERIFY(!first->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        verifyCentred(first);

        w.mnuAbout->trigger();
        QCOMPARE(aboutBoxes().size(), 1);
        QCOMPARE(aboutBoxes().first(), first.data());

        // The main window stays usable meanwhile.
        QVERIFY(w.isEnabled());

        first->move(first->pos() + QPoint(40, 30));
        first->close();
        QTRY_VERIFY(first.isNull());
        QCOMPARE(aboutBoxes().size(), 0);

        w.mnuAbout->trigger();
        QCOMPARE(aboutBoxes().size(), 1);
        verifyCentred(aboutBoxes().first());
    }
};

SONARELLE_TEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
