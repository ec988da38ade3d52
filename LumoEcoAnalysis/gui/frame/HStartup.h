#pragma once
#include "HAppPaths.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

class MainWindow;

// What the program does around its main window at start-up:
// - "--open FILE" (or "--open=FILE") opens a project through the window's Open path
//   once the window is up; the desktop entry starts the program so for a file the
//   user double-clicked. Other arguments are ignored.
// - "--quit-after-open" is for automated checks only: the program quits once start-up
//   (and the open) is done and prints the window title on standard output; a message
//   box that would wait for an answer is closed and its text printed on standard
//   error. The exit status is 1 when the file could not be opened.
// - Notes about files created for the user (HAppPaths) go to the status bar and the log.
class HStartup : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        QString openFile; // absolute; empty when none
        bool quitAfterOpen = false;
    };
    static Options parse(const QStringList& arguments);
    // The application's window icon and desktop entry name.
    static void prepareApplication();
    struct FileNote
    {
        HAppPaths::Note note;
        QString path;
        QString source;
    };
    // The notes in one short line for the status bar: file names grouped by folder,
    // the home folder written as "~".
    static QString statusText(const QVector<FileNote>& notes);

    HStartup(MainWindow& window, const Options& options);
    ~HStartup() override;

private:
    void start();
    void closeMessageBox();
    static void log(const FileNote& note);

    MainWindow& m_window;
    Options m_options;
    QVector<FileNote> m_startNotes;
    QTimer m_boxCloser;
};
