#include "MainWindow.h"
#include "TranslateString.h"

#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    m_stack = new QStackedWidget(central);
    m_stack->setObjectName(QStringLiteral("stackedWidget"));
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_stack);
    setCentralWidget(central);
    setStatusBar(new QStatusBar(this));
    setContextMenuPolicy(Qt::NoContextMenu);

    sendMsgToStatusBar(TranslateString("Ready"));
    setMinimumSize(1280, 768);
    updateTitle();
}

MainWindow::~MainWindow() = default;

void MainWindow::sendMsgToStatusBar(const QString& content)
{
    statusBar()->showMessage(content);
}

void MainWindow::updateTitle()
{
    setWindowTitle(QStringLiteral("Brivanta"));
}
