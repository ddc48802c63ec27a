// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/setup_file.h"

#include "model/lessons/json_text.h"
#include "output/file_saving.h"
#include "ui/localized.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarnis {

namespace {

QString setupFilter()
{
    const SetupMenuWords words = setupMenuWords();
    return localizedFilled(
        "{type} (*{suffix});;All files (*)",
        {{"type", QString::fromStdString(words.fileTypeName)}, {"suffix", QString::fromStdString(words.fileSuffix)}});
}

QString cannotReadText(const QString& fileName, const QString& reason)
{
    return localizedFilled("Cannot read file {file}:\n{reason}.",
                           {{"file", QDir::toNativeSeparators(fileName)}, {"reason", reason}});
}

} // namespace

bool saveSetupFile(QWidget* parent, const Setup& setup, Services services)
{
    const SetupMenuWords words = setupMenuWords();
    QString fileName = services.fileNames.saveFileName(parent, QString::fromStdString(words.fileName), setupFilter());
    if (fileName.isEmpty())
        return false;
    // A name typed without a suffix would leave the file unknown to the file manager.
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QString::fromStdString(words.fileSuffix);
    return saveFile(parent, fileName, QByteArray::fromStdString(setupFileText(setup)), services.messages);
}

std::optional<ReadSetup> openSetupFile(QWidget* parent, Services services)
{
    const QString fileName = services.fileNames.openFileName(parent, setupFilter());
    if (fileName.isEmpty())
        return std::nullopt;
    return readSetupFileNamed(parent, fileName, services.messages);
}

std::optional<ReadSetup> readSetupFileNamed(QWidget* parent, const QString& fileName, Messenger& messages)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        messages.inform(parent, cannotReadText(fileName, file.errorString()));
        return std::nullopt;
    }
    // One byte beyond what the reader takes, so that a file too large is refused in the model's words
    // without reading all of it.
    const QByteArray text = file.read(qint64(json::MostBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        messages.inform(parent, cannotReadText(fileName, file.errorString()));
        return std::nullopt;
    }
    auto read = readSetupFile(std::string_view(text.constData(), std::size_t(text.size())));
    if (const auto* refusal = std::get_if<std::string>(&read)) {
        messages.inform(parent, QString::fromStdString(*refusal));
        return std::nullopt;
    }
    return std::get<ReadSetup>(std::move(read));
}

} // namespace tarnis
