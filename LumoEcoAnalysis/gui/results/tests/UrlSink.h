#pragma once
// Receives the URLs a page asks the desktop to open, so that no program starts during
// the tests: QDesktopServices::setUrlHandler("file", &sink, "open").
#include <QList>
#include <QObject>
#include <QUrl>

class UrlSink : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};
