// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/pdf_pages.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tarnis::test {

namespace {

std::optional<QByteArray> runTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

} // namespace

QString pdfToolsMissing()
{
    QStringList missing;
    for (const char* tool : {"pdfinfo", "pdftoppm"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            missing << QLatin1String(tool);
    }
    if (missing.isEmpty())
        return {};
    return missing.join(QStringLiteral(" and ")) + QStringLiteral(" (poppler-utils) not installed");
}

std::optional<int> pdfPageCount(const QString& fileName)
{
    const auto info = runTool(QStringLiteral("pdfinfo"), {fileName});
    if (!info)
        return std::nullopt;
    const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
                           .match(QString::fromLatin1(*info));
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

QImage pdfFirstPage(const QString& fileName, int dotsPerInch)
{
    QTemporaryDir folder;
    const QString stem = folder.filePath(QStringLiteral("page"));
    if (!runTool(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"),
                  QString::number(dotsPerInch), fileName, stem}))
        return {};
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QRect inkBounds(const QImage& page)
{
    QRect bounds;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if (qRed(line[x]) < 240 || qGreen(line[x]) < 240 || qBlue(line[x]) < 240)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace tarnis::test
