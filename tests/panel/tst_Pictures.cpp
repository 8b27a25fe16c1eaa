#include "TestMain.h"

#include "app/frmAbout.h"
#include "panel/ButtonPicture.h"
#include "panel/ProgramIcon.h"
#include "panel/frmMain.h"
#include "settings/frmModem.h"

#include <QSet>

class tst_Pictures : public QObject
{
    Q_OBJECT

private slots:
    void triangle_data()
    {
        QTest::addColumn<bool>("up");
        QTest::newRow("up") << true;
        QTest::newRow("down") << false;
    }

    // 21 pixels at the base, 11 rows tall, one pixel at the tip, centred on a grey field.
    void triangle()
    {
        QFETCH(bool, up);
        const QImage picture =
            ButtonPicture::triangle(up ? ButtonPicture::Direction::Up : ButtonPicture::Direction::Down);
        QCOMPARE(picture.size(), QSize(32, 32));
        const QColor cyan(0, 128, 128), grey(192, 192, 192);
        QList<int> widths;
        int top = -1, left = 32, right = -1;
        for (int y = 0; y < 32; ++y) {
            int n = 0;
            for (int x = 0; x < 32; ++x) {
                const QColor c = picture.pixelColor(x, y);
                QVERIFY(c == cyan || c == grey);
                if (c == cyan) {
                    ++n;
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
            }
            if (n) {
                if (top < 0)
                    top = y;
                widths << n;
            }
        }
        QList<int> expected;
        for (int k = 0; k < 11; ++k)
            expected << 2 * k + 1;
        if (!up)
            std::reverse(expected.begin(), expected.end());
        QCOMPARE(widths, expected);
        QCOMPARE(right - left + 1, 21);
        QVERIFY(qAbs(left - (31 - right)) <= 1);
        QVERIFY(qAbs(top - (31 - (top + 10))) <= 1);
    }

    void programIconIs32PixelsIn16Colours()
    {
        const QImage icon = ProgramIcon::image();
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                colours.insert(icon.pixel(x, y));
        QVERIFY(colours.size() <= 16);
        QVERIFY(colours.contains(qRgb(255, 0, 0)));
    }

    // The main window, the About box and the modem settings dialog carry one picture: the program's icon.
    void everyWindowCarriesTheProgramIcon()
    {
        frmMain w;
        w.Form_Load();
        w.mnuAbout_Click();
        const QImage expected = ProgramIcon::image().convertToFormat(QImage::Format_ARGB32);
        const QList<QPair<const char *, QWidget *>> windows{
            {"main window", &w}, {"About box", w.findChild<frmAbout *>()}, {"modem dialog", &w.Modem()}};
        for (const auto &[name, window] : windows) {
            QVERIFY2(window, name);
            const QImage shown = window->windowIcon().pixmap(ProgramIcon::Side).toImage();
            QVERIFY2(shown.convertToFormat(QImage::Format_ARGB32) == expected, name);
        }
    }
};

SONARELLE_TEST_MAIN(tst_Pictures)
#include "tst_Pictures.moc"
