#pragma once
// Answers the modal dialogs a widget under test opens (message boxes, file
// dialogs, the unit and language dialogs), in the order they appear, and keeps
// what each one said. Header-only; tests that use it link Qt5::Widgets.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QQueue>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace brivanta::test {

class ModalDialogs
{
public:
    using Answer = std::function<void(QWidget*)>;

    ModalDialogs()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }

    // The next dialog gets this answer.
    void then(Answer answer) { m_answers.enqueue(std::move(answer)); }

    // Message box: click the standard button (and keep its title and text).
    void thenClick(QMessageBox::StandardButton button)
    {
        then([button](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                if (QAbstractButton* b = box->button(button))
                    b->click();
                else
                    box->reject();
            }
        });
    }

    // File dialog: choose the path and accept.
    void thenChooseFile(const QString& path)
    {
        then([path](QWidget* w) {
            if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
                dialog->selectFile(path);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
    }

    // Any dialog: cancel.
    void thenCancel()
    {
        then([](QWidget* w) {
            if (auto* dialog = qobject_cast<QDialog*>(w))
                dialog->reject();
        });
    }

    // "title: text" of every dialog seen, in order.
    const QStringList& seen() const { return m_seen; }
    int pending() const { return m_answers.size(); }

private:
    void poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w == m_current || !w->isVisible())
            return;
        m_current = w;
        QString text;
        if (auto* box = qobject_cast<QMessageBox*>(w))
            text = box->text();
        m_seen << w->windowTitle() + QStringLiteral(": ") + text;
        if (m_answers.isEmpty()) {
            // Unexpected: close it so the test does not hang, and let it fail on seen().
            if (auto* dialog = qobject_cast<QDialog*>(w))
                dialog->reject();
            return;
        }
        m_answers.dequeue()(w);
    }

    QTimer m_timer;
    QQueue<Answer> m_answers;
    QPointer<QWidget> m_current;
    QStringList m_seen;
};

} // namespace brivanta::test
