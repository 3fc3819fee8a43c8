#pragma once

#include "GM_MessageBoxEmitter.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class GM_MessageBoxDisplayerA;
class QFile;
class QNetworkAccessManager;
class QNetworkReply;

// The download of a program update over HTTP into a file, while a box with
// a Cancel button shows the percentage.
//
// Rules:
// - One download at a time: asking for another while one runs is ignored.
// - The file is written in a folder of the user's own (updateFolder); what
//   lies there under the file's name is replaced.
// - The box's text changes only when the percentage moved by more than
//   PercentStep points, and only once the total size is known.
// - Redirections are refused, not followed: the file comes from the asked
//   address or not at all.
// - Every failure (network, redirection, a write that fails) and Cancel
//   remove the partial file; only a complete file is announced, made
//   executable by its owner.
// - The percentage box goes away when the download ends, so that the box
//   saying why it failed is shown at once.
// - GUI thread only.
class GM_Download : public QObject, public GM_MessageBoxEmitter
{
    Q_OBJECT

public:
    static constexpr double PercentStep = 2.0;
    static constexpr const char* FolderName = "morvaneUpdate";
    // Where this build's updates are published; no update service exists
    // for it, so the host never resolves.
    static constexpr const char* DefaultBaseUrl = "https://update.zubrik.invalid/desktop";

    GM_Download(GM_MessageBoxDisplayerA* displayer, QObject* parent = nullptr);
    ~GM_Download() override;
    GM_Download(const GM_Download&) = delete;
    GM_Download& operator=(const GM_Download&) = delete;

    void download(const QUrl& url, const QString& fileName);
    bool isDownloading() const;
    // The box id of the download under way (or the last one).
    int boxId() const { return boxId_; }

    // "<temp>/morvaneUpdate", created owner-only when missing. A folder of
    // that name that is a link, belongs to someone else or that others may
    // write into is not used: a new private folder is made beside it.
    // Empty when no folder can be had.
    static QString updateFolder();

signals:
    void signalDownloadCompletedSuccefully(const QString& fileName);

public slots:
    void cancelDownload();
    void httpFinished();
    void httpReadyRead();
    void updateDataReadProgress(qint64 bytesRead, qint64 totalBytes);

private:
    void libereFichier_(bool retire);
    // Writes what the reply has ready; false when the write failed.
    bool ecrit_(QNetworkReply* reply);

    QUrl url_;
    QNetworkAccessManager* manager_ = nullptr;
    QPointer<QNetworkReply> reply_;
    QFile* file_ = nullptr;
    bool cancelled_ = false;
    // A write failed: the download is aborted and reported as such.
    bool writeFailed_ = false;
    QString writeError_;
    double lastPercent_ = 0.0;
    int boxId_ = -1;
};
