#include "HCommon.h"
#include "HTheme.h"
#include "HTimer.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QWidget>

#include <limits>

class tst_Common : public QObject
{
    Q_OBJECT
private slots:
    void formatLargeIntNumber_data();
    void formatLargeIntNumber();
    void updateCombox_data();
    void updateCombox();
    void widgetBackground();
    void timerLogsOnDestruction();
    void themes_data();
    void themes();
};

void tst_Common::formatLargeIntNumber_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("three digits stay bare") << qint64(999) << "999";
    QTest::newRow("four digits") << qint64(1000) << "1,000";
    QTest::newRow("yearly kWh") << qint64(1234567) << "1,234,567";
    QTest::newRow("negative") << qint64(-1234567) << "-1,234,567";
    QTest::newRow("negative short") << qint64(-123) << "-123";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "9,223,372,036,854,775,807";
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << "-9,223,372,036,854,775,808";
}

void tst_Common::formatLargeIntNumber()
{
    QFETCH(qint64, value);
    QTEST(HCommon::FormatLargeIntNumber(value), "text");
}

void tst_Common::updateCombox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("current");
    QTest::newRow("existing item") << "Xi'an" << true << "Xi'an";
    QTest::newRow("missing item keeps current") << "Atlantis" << false << "Beijing";
    QTest::newRow("case differs") << "beijing" << false << "Beijing";
    QTest::newRow("empty text") << "" << false << "Beijing";
}

void tst_Common::updateCombox()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(QString, current);
    QComboBox box;
    box.addItems({QStringLiteral("Shanghai"), QStringLiteral("Beijing"), QStringLiteral("Xi'an")});
    box.setCurrentIndex(1);
    QCOMPARE(HCommon::updateCombox(&box, text), found);
    QCOMPARE(box.currentText(), current);
    QCOMPARE(box.count(), 3);
    QVERIFY(!HCommon::updateCombox(nullptr, text));
}

void tst_Common::widgetBackground()
{
    QWidget w;
    HCommon::setWidgetBackground(&w, QColor(255, 255, 255));
    QVERIFY(w.autoFillBackground());
    QCOMPARE(w.palette().color(QPalette::Window), QColor(255, 255, 255));
    HCommon::setWidgetBackground(nullptr, Qt::red); // no crash
}

void tst_Common::timerLogsOnDestruction()
{
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Calculate: \\d+ ms$")));
    {
        HTimer timer(QStringLiteral("Calculate"));
    }
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^timer: \\d+ ms$")));
    {
        HTimer unnamed;
    }
}

void tst_Common::themes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("known");
    QTest::newRow("current theme") << HTheme::currentThemeName << true;
    QTest::newRow("dark") << "dark" << true;
    QTest::newRow("unknown") << "sepia" << false;
}

void tst_Common::themes()
{
    QFETCH(QString, name);
    QFETCH(bool, known);
    HThemeItem item;
    item.name = QStringLiteral("untouched");
    QCOMPARE(HTheme::getThemeItem(name, item), known);
    if (!known) {
        QCOMPARE(item.name, QStringLiteral("untouched"));
        return;
    }
    QCOMPARE(item.name, name);
    QVERIFY(HTheme::themeNames().contains(name));
    QVERIFY(item.seriesColors.size() >= 2);
    // Series colours repeat in turn and differ from the background.
    QCOMPARE(item.seriesColor(item.seriesColors.size()), item.seriesColor(0));
    for (const QColor& c : item.seriesColors)
        QVERIFY(c != item.background);
}

QTEST_MAIN(tst_Common)
#include "tst_common.moc"
