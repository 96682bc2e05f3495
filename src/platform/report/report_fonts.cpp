#include "platform/report/report_fonts.h"

#include <QtCore/QFile>
#include <QtGui/QFontDatabase>
#include <algorithm>
#include <cctype>

namespace veltrano {

namespace {
std::string Upper(const std::string& s) {
    std::string u = s;
    std::transform(u.begin(), u.end(), u.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return u;
}
}  // namespace

QString ReportFontFamily(const std::string& name) {
    const std::string n = Upper(name);
    if (n == "TIMES NEW ROMAN" || n == "TIMES") return QStringLiteral("Liberation Serif");
    if (n == "COURIER NEW" || n == "COURIER") return QStringLiteral("Liberation Mono");
    if (n == "ARIAL" || n == "HELVETICA") return QStringLiteral("Liberation Sans");
    return QString::fromStdString(name);
}

bool EnsureReportFonts() {
    static const bool ok = [] {
        const QStringList wanted = {QStringLiteral("Liberation Serif"),
                                    QStringLiteral("Liberation Mono")};
        auto missing = [&] {
            const QStringList have = QFontDatabase::families();
            return std::any_of(wanted.begin(), wanted.end(),
                               [&](const QString& f) { return !have.contains(f); });
        };
        if (!missing()) return true;
        const QString dir = QStringLiteral("/usr/share/fonts/truetype/liberation2/");
        for (const char* file : {"LiberationSerif-Regular.ttf", "LiberationSerif-Bold.ttf",
                                 "LiberationSerif-Italic.ttf", "LiberationSerif-BoldItalic.ttf",
                                 "LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf",
                                 "LiberationMono-Italic.ttf", "LiberationMono-BoldItalic.ttf",
                                 "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"}) {
            const QString path = dir + QString::fromLatin1(file);
            if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
        }
        return !missing();
    }();
    return ok;
}

QFont ReportQFont(const TextFont& font, double pointSize) {
    QFont f(ReportFontFamily(font.name));
    f.setPointSizeF(pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

}  // namespace veltrano
