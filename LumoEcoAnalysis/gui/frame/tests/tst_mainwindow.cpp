#include "MainWindow.h"
#include "TestSupport.h"

#include <QStackedWidget>
#include <QStatusBar>

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startsReady();
    void statusMessages_data();
    void statusMessages();
};

void tst_MainWindow::startsReady()
{
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Brivanta"));
    QVERIFY(w.stackedWidget());
    QCOMPARE(w.centralWidget()->findChild<QStackedWidget*>(QStringLiteral("stackedWidget")),
             w.stackedWidget());
    QCOMPARE(w.statusBar()->currentMessage(), QStringLiteral("Ready"));
    QCOMPARE(w.contextMenuPolicy(), Qt::NoContextMenu);
    QVERIFY(w.minimumSize().width() >= 1280 && w.minimumSize().height() >= 768);
}

void tst_MainWindow::statusMessages_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("plain") << "Loading weather of Xi'an ...";
    QTest::newRow("empty clears") << "";
}

void tst_MainWindow::statusMessages()
{
    QFETCH(QString, message);
    MainWindow w;
    w.sendMsgToStatusBar(message);
    QCOMPARE(w.statusBar()->currentMessage(), message);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
