#include "net/update_check.h"

#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>

#include "store/config_files.h"
#include "store/dates.h"
#include "store/io_error.h"
#include "store/paths.h"
#include "store/safe_file.h"
#include "ui/seams.h"

namespace braxol::net {

namespace fs = std::filesystem;

QString UpdateQuestion() {
    return QStringLiteral("E'disponibile un nuovo aggiornamento - premi \"OK\" per AGGIORNARE ");
}

std::optional<double> ReleaseDateFromBytes(const QByteArray& bytes) {
    if (bytes.size() < qsizetype(sizeof(double))) return std::nullopt;
    unsigned char raw[sizeof(double)];
    std::memcpy(raw, bytes.constData(), sizeof raw);
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(std::begin(raw), std::end(raw));
    double date;
    std::memcpy(&date, raw, sizeof date);
    if (!IsValidDate(date)) return std::nullopt;
    return date;
}

std::optional<fs::path> FindUpdater(const fs::path& workFolder) {
#ifdef Q_OS_WIN
    const char* const names[] = {kUpdaterProgram};
#else
    const char* const names[] = {kUpdaterProgram, kUpdaterProgramUnix};
#endif
    for (const char* name : names) {
        const fs::path program = ResolvePath(workFolder / name);
        std::error_code ec;
        if (fs::is_regular_file(program, ec)) return program;
    }
    return std::nullopt;
}

UpdateCheck::UpdateCheck(WorkFolders folders, QWidget* window)
    : QObject(window), folders_(std::move(folders)), window_(window) {
    http_.setTimeout(kTimeout);
    connect(&http_, &HttpGet::finished, this, &UpdateCheck::onDownloaded);
}

bool UpdateCheck::start() {
    if (running_) return false;
    running_ = true;
    asked_ = false;
    local_ = localReleaseDate();
    http_.get(QUrl(host_ + QLatin1String(kUpdatePath)),
              {{"Accept", kUpdateAccept}, {"User-Agent", kUpdateUserAgent}});
    return true;
}

// The installed release date. A work folder without the file gets one holding today, so a
// fresh installation counts as up to date.
double UpdateCheck::localReleaseDate() const {
    const double today = ui::Today();
    const fs::path file = folders_.releaseFile();
    try {
        std::error_code ec;
        if (PathExists(file) && fs::file_size(file, ec) != 0)
            return ReadReleaseDate(file).value_or(today);
        WriteReleaseDate(file, today);
    } catch (const IoError&) {
        // The check never complains; the next activation tries again.
    }
    return today;
}

void UpdateCheck::onDownloaded(const HttpResult& result) {
    double remote = 0;
    if (result.ok()) {
        try {
            ReplaceFileContent(folders_.inTemp(kRemoteReleaseFileName),
                               std::string_view(result.body.constData(), result.body.size()));
            remote = ReleaseDateFromBytes(result.body).value_or(0);
        } catch (const IoError&) {
            remote = 0;
        }
    }
    // The question is a modal box: show it from the event loop, not from inside the
    // network layer's notification.
    QTimer::singleShot(0, this, [this, remote] { decide(remote); });
}

void UpdateCheck::decide(double remote) {
    if (remote > local_) {
        if (const auto updater = FindUpdater(folders_.root)) {
            asked_ = true;
            const ui::Answer answer =
                ui::Ask(window_.data(), UpdateQuestion(), ui::Buttons::OkNo, ui::Severity::Warning);
            if (answer == ui::Answer::Ok &&
                ui::Seams::shell().start(QString::fromStdString(updater->string()), {},
                                         QString::fromStdString(folders_.root.string())))
                emit quitRequested();
        }
    }
    finish();
}

void UpdateCheck::finish() {
    running_ = false;
    emit finished();
}

}  // namespace braxol::net
