#include "HStartup.h"

#include "HImages.h"
#include "MainWindow.h"
#include "TranslateString.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>
#include <cstdio>

HStartup::Options HStartup::parse(const QStringList& arguments)
{
    Options options;
    const QString open = QStringLiteral("--open");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        QString file;
        if (a == open && i + 1 < arguments.size())
            file = arguments.at(++i);
        else if (a.startsWith(open + QLatin1Char('=')))
            file = a.mid(open.size() + 1);
        else if (a == QLatin1String("--quit-after-open"))
            options.quitAfterOpen = true;
        // A desktop entry started without a file passes "--open" alone.
        if (!file.isEmpty())
            options.openFile = QFileInfo(file).absoluteFilePath();
    }
    return options;
}

void HStartup::prepareApplication()
{
    QGuiApplication::setDesktopFileName(QStringLiteral(BRIVANTA_APP_ID));
    QApplication::setWindowIcon(HImages::icon(QStringLiteral("brivanta.png")));
}

QString HStartup::statusText(const QVector<FileNote>& notes)
{
    struct Group
    {
        HAppPaths::Note note;
        QString folder;
        QStringList names;
    };
    QVector<Group> groups;
    const QString home = QDir::homePath();
    for (const FileNote& n : notes) {
        const QFileInfo info(n.path);
        QString folder = info.absolutePath();
        if (folder == home || folder.startsWith(home + QLatin1Char('/')))
            folder = QLatin1Char('~') + folder.mid(home.size());
        auto it = std::find_if(groups.begin(), groups.end(), [&](const Group& g) {
            return g.note == n.note && g.folder == folder;
        });
        if (it == groups.end())
            groups.append({n.note, folder, {info.fileName()}});
        else if (!it->names.contains(info.fileName()))
            it->names << info.fileName();
    }
    QStringList parts;
    for (const Group& g : groups) {
        const QString names = g.names.join(QStringLiteral(", "));
        switch (g.note) {
        case HAppPaths::Note::Copied:
            parts << TranslateString("Copied %1 into %2").arg(names, g.folder);
            break;
        case HAppPaths::Note::Updated:
            parts << TranslateString("Updated %1 in %2 from the program's files")
                         .arg(names, g.folder);
            break;
        case HAppPaths::Note::Written:
            parts << TranslateString("Created %1 in %2").arg(names, g.folder);
            break;
        case HAppPaths::Note::CannotCopy:
            parts << TranslateString("Cannot copy %1 into %2; reading the program's copy")
                         .arg(names, g.folder);
            break;
        }
    }
    return parts.join(QStringLiteral("; "));
}

void HStartup::log(const FileNote& note)
{
    // In the order of HAppPaths::Note.
    static const char* const verbs[] = {"copied", "updated", "created", "cannot copy"};
    qInfo().noquote() << verbs[int(note.note)] << note.path
                      << (note.source.isEmpty() ? QString()
                                                : QStringLiteral("from ") + note.source);
}

HStartup::HStartup(MainWindow& window, const Options& options)
    : m_window(window)
    , m_options(options)
{
    // What start-up created so far, shown together once the window is up.
    HAppPaths::setReporter(
        [this](HAppPaths::Note note, const QString& path, const QString& source) {
            m_startNotes.append({note, path, source});
            log(m_startNotes.constLast());
        });
    m_boxCloser.setInterval(50);
    connect(&m_boxCloser, &QTimer::timeout, this, &HStartup::closeMessageBox);
    QTimer::singleShot(0, this, &HStartup::start);
}

HStartup::~HStartup()
{
    HAppPaths::setReporter({});
}

void HStartup::start()
{
    if (m_options.quitAfterOpen)
        m_boxCloser.start();
    bool opened = true;
    if (!m_options.openFile.isEmpty())
        opened = m_window.openPath(m_options.openFile);
    if (!m_startNotes.isEmpty())
        m_window.sendMsgToStatusBar(statusText(m_startNotes));
    HAppPaths::setReporter(
        [this](HAppPaths::Note note, const QString& path, const QString& source) {
            const FileNote n{note, path, source};
            log(n);
            m_window.sendMsgToStatusBar(statusText({n}));
        });
    if (m_options.quitAfterOpen) {
        std::fprintf(stdout, "%s\n", m_window.windowTitle().toLocal8Bit().constData());
        std::fflush(stdout);
        QCoreApplication::exit(opened ? 0 : 1);
    }
}

void HStartup::closeMessageBox()
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box)
        return;
    std::fprintf(stderr, "%s: %s\n", box->windowTitle().toLocal8Bit().constData(),
                 box->text().toLocal8Bit().constData());
    box->reject();
}
