#pragma once
// The release check of the main window: compares the installed release date with the one
// that the update server publishes and, when a newer release exists, offers to start the
// updater. The download runs in the background, never holding up the window; any failure of
// it is ignored silently. A release the user declined is offered again by the next check.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <optional>

#include "net/http_get.h"
#include "store/work_folders.h"

namespace braxol::net {

// Where the published release date lives. The host is the one place to change when the
// update server moves.
inline constexpr char kUpdateHost[] = "http://aggiornamenti.braxol.it";
inline constexpr char kUpdatePath[] = "/aggiornamenti/VERS_ZYMOTEC.DAT";
// Name of the downloaded copy in the temporary folder.
inline constexpr char kRemoteReleaseFileName[] = "VERS_ZYMOTEC.DAT";
// The request looks as the update server has always seen it.
inline constexpr char kUpdateAccept[] = "text/html, */*";
inline constexpr char kUpdateUserAgent[] = "Mozilla/3.0 (compatible; Indy Library)";
// The updater program in the work folder; elsewhere than on Windows a file named
// "aggiornamento" is accepted as well.
inline constexpr char kUpdaterProgram[] = "AGGIORNAMENTO.EXE";
inline constexpr char kUpdaterProgramUnix[] = "aggiornamento";

// "E'disponibile un nuovo aggiornamento - premi "OK" per AGGIORNARE "
QString UpdateQuestion();

// The first record of a release-date file: nothing when shorter than one record or not a
// date the program handles.
std::optional<double> ReleaseDateFromBytes(const QByteArray& bytes);

// The updater program of a work folder; nothing when there is none.
std::optional<std::filesystem::path> FindUpdater(const std::filesystem::path& workFolder);

class UpdateCheck : public QObject {
    Q_OBJECT
public:
    // `window` is the parent of the question and of this object.
    explicit UpdateCheck(WorkFolders folders, QWidget* window = nullptr);

    // Scheme, host and port of the update server, e.g. "http://127.0.0.1:8080".
    void setHost(const QString& host) { host_ = host; }
    const QString& host() const { return host_; }
    void setTimeout(std::chrono::milliseconds timeout) { http_.setTimeout(timeout); }

    // The time the update server has to deliver the release date.
    static constexpr std::chrono::milliseconds kTimeout{5000};

    // Starts a check; false, and nothing else happens, while one is still running.
    bool start();
    bool running() const { return running_; }
    // Whether the check last finished showed the question about a newer release.
    bool asked() const { return asked_; }

signals:
    // The updater was started: the application should end now.
    void quitRequested();
    // The check is over, whatever its outcome.
    void finished();

private:
    double localReleaseDate() const;
    void onDownloaded(const HttpResult& result);
    void decide(double remote);
    void finish();

    WorkFolders folders_;
    QPointer<QWidget> window_;
    QString host_ = QString::fromLatin1(kUpdateHost);
    HttpGet http_;
    bool running_ = false;
    bool asked_ = false;
    double local_ = 0;
};

}  // namespace braxol::net
