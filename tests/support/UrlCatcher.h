#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Receives what the program asks the desktop to open, through
// QDesktopServices::setUrlHandler(scheme, &catcher, "open").
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};
