// A warning raised inside an exchange's wait, as the real program shows it: a modal box with its own event
// loop, in which the window's timers and the line go on while the operator reads it. The other tests' fake
// desktop returns at once; here the real box stays up until a timer closes it.
#include "When.h"
#include "WindowFixture.h"
#include "WindowLook.h"

#include "link/LinkTexts.h"

#include <QAction>
#include <QMessageBox>

using namespace WindowLook;

namespace {

// Watches for message boxes: records each one's title and clicks its OK after it has been up a while, noting
// how much went on the line meanwhile.
class BoxCloser : public QObject
{
public:
    BoxCloser(int upMs, std::function<qsizetype()> lineSize) : upMs_(upMs), lineSize_(std::move(lineSize))
    {
        qApp->installEventFilter(this);
    }

    QStringList titles;
    qsizetype sentWhileUp = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            titles << box->windowTitle();
            const qsizetype atShow = lineSize_();
            QTimer::singleShot(upMs_, box, [this, box, atShow] {
                sentWhileUp += lineSize_() - atShow;
                box->button(QMessageBox::Ok)->click();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int upMs_;
    std::function<qsizetype()> lineSize_;
};

} // namespace

class tst_WarningInWait : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Desktop::install(&TestEnvironment::desktop()); }

    void lineLostWhileWaiting_data()
    {
        QTest::addColumn<QString>("exchange");
        QTest::newRow("status read") << "status";
        QTest::newRow("settings write") << "write";
        QTest::newRow("proof switch") << "proof";
    }

    // The line drops while the exchange waits for its answer: one CONNECTION LOST box, up for a while (longer
    // than the exchange's attempts take); nothing more goes on the line while it is up or after; the exchange
    // ends without another attempt and the window stays off line.
    void lineLostWhileWaiting()
    {
        QFETCH(QString, exchange);
        WindowFixture f;
        QVERIFY(f.line.started);
        frmMain &w = f.window;
        if (exchange != QLatin1String("status")) {
            w.cmdConnect->click();
            QCOMPARE(buttonsEnabled(w), 6);
        }
        f.line.processor.faults.silent = true;
        f.line.received.clear();
        Desktop::install(nullptr); // the real boxes, with their own event loops

        // Every box that shows is recorded, and closed once it has been up for twenty seconds of the program's
        // clock, as an operator reads it.
        BoxCloser boxes(Pacing::scaled(20000) + 100, [&] { return f.line.received.size(); });
        when([&] { return !f.line.received.isEmpty(); }, [&] { f.line.emulator.hangUp(); });

        QElapsedTimer elapsed;
        elapsed.start();
        if (exchange == QLatin1String("status"))
            w.cmdConnect->click();
        else if (exchange == QLatin1String("write"))
            w.cmdPP_Up->click();
        else
            w.mnuProof->trigger();
        // The exchange returned only once the box was closed: the box ran inside its wait.
        QVERIFY(elapsed.elapsed() >= Pacing::scaled(20000));
        QTest::qWait(Pacing::scaled(3000));

        QCOMPARE(boxes.titles, QStringList{LinkTexts::LineLostTitle});
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(boxes.sentWhileUp, 0);
        QVERIFY(!f.line.received.isEmpty());
        QVERIFY(!f.line.received.endsWith("777x"));
        QCOMPARE(w.cmdConnect->text(), QStringLiteral("&Connect"));
        QVERIFY(!w.MSComm1.PortOpen());
        QVERIFY(w.lblUpdating->isHidden());
        QCOMPARE(buttonsEnabled(w), 0);
        QVERIFY(allLampsLit(w));
        QVERIFY(!w.lblOffLine->isHidden());
    }
};

SONARELLE_TEST_MAIN(tst_WarningInWait)
#include "tst_WarningInWait.moc"
