#include "platform/process_launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace veltrano {

bool QtProgramLauncher::start(const std::string& path, const std::string& workingFolder) {
    const QString program = QString::fromStdString(path);
    if (!QFileInfo(program).isExecutable()) {
        // A script or document without the executable bit: its default handler.
        return QDesktopServices::openUrl(QUrl::fromLocalFile(program));
    }
    return QProcess::startDetached(program, {}, QString::fromStdString(workingFolder));
}

void OpenWithDefaultHandler(const std::string& addressOrPath) {
    const QString text = QString::fromStdString(addressOrPath);
    const QUrl url = text.contains(QLatin1String("://")) ? QUrl(text) : QUrl::fromLocalFile(text);
    QDesktopServices::openUrl(url);
}

}  // namespace veltrano
