#pragma once
#include <QMainWindow>

class QStackedWidget;

// The program's only top-level window: a stacked widget for the pages and a status bar.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QStackedWidget* stackedWidget() const { return m_stack; }

public slots:
    void sendMsgToStatusBar(const QString& content);
    void updateTitle();

private:
    QStackedWidget* m_stack = nullptr;
};
