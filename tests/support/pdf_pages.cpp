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
    for (const char* tool : {"pdfinfo", "pdftoppm", "pdftotext"}) {
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

std::optional<QStringList> pdfPageTexts(const QString& fileName)
{
    const auto text = runTool(QStringLiteral("pdftotext"),
                              {QStringLiteral("-enc"), QStringLiteral("UTF-8"), fileName, QStringLiteral("-")});
    if (!text)
        return std::nullopt;
    QStringList pages = QString::fromUtf8(*text).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.constLast().trimmed().isEmpty())
        pages.removeLast(); // pdftotext ends every page with a form feed, the last one too
    return pages;
}

QString ocrToolMissing()
{
    if (QStandardPaths::findExecutable(QStringLiteral("tesseract")).isEmpty())
        return QStringLiteral("tesseract (tesseract-ocr) not installed");
    return {};
}

std::optional<QString> pdfPageSeen(const QString& fileName, int page)
{
    QTemporaryDir folder;
    const QString stem = folder.filePath(QStringLiteral("page"));
    const QString number = QString::number(page);
    if (!runTool(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-png"), QStringLiteral("-gray"), QStringLiteral("-singlefile"), QStringLiteral("-r"),
                  QStringLiteral("300"), QStringLiteral("-f"), number, QStringLiteral("-l"), number, fileName, stem}))
        return std::nullopt;
    const auto seen = runTool(QStringLiteral("tesseract"), {stem + QStringLiteral(".png"), QStringLiteral("-")});
    if (!seen)
        return std::nullopt;
    return QString::fromUtf8(*seen);
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
