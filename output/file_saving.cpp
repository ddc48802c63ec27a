// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/file_saving.h"

#include "ui/localized.h"
#include "ui/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <sys/stat.h>

namespace tarnis {

namespace {

QString reasonOf(const QFileDevice& file)
{
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return localized("Not all of the data reached the file");
}

// Files are opened unbuffered: a write that fails in a buffer shows only as a failed flush() without
// its reason, and QSaveFile's commit() then replaces the old file all the same.
constexpr QIODevice::OpenMode writeMode = QIODevice::WriteOnly | QIODevice::Unbuffered;

// Every byte on the device, or the reason why not. A write that the system cuts short (a full disk)
// comes back as a short count with no error, so the rest is written again to bring the error out.
std::optional<QString> writeAll(QFileDevice& file, const QByteArray& content)
{
    qint64 written = 0;
    while (written < content.size()) {
        const qint64 count = file.write(content.constData() + written, content.size() - written);
        if (count <= 0)
            return reasonOf(file);
        written += count;
    }
    return std::nullopt;
}

// The number of names the file has; a file with hard links has more than one.
nlink_t linkCount(const QString& fileName)
{
    struct stat status { };
    return ::stat(QFile::encodeName(fileName).constData(), &status) == 0 ? status.st_nlink : 1;
}

// Puts the content at the start of an open file and cuts the file after it.
std::optional<QString> replaceContent(QFile& file, const QByteArray& content)
{
    if (!file.seek(0))
        return reasonOf(file);
    if (auto failure = writeAll(file, content))
        return failure;
    if (!file.resize(content.size()))
        return reasonOf(file);
    return std::nullopt;
}

// A regular file written over where it stands: where no temporary file can be made beside it (a
// folder the user may not write in), or where replacing it would cut it off from its other names.
// It is written only once the disk has room for the whole new text, and should the writing fail all
// the same, the old text is put back.
std::optional<QString> writeOver(const QString& fileName, const QByteArray& content)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return file.errorString();
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    if (const QStorageInfo disk(fileName); disk.isValid() && disk.bytesAvailable() < content.size())
        return localized("There is not enough free space on the disk");
    auto failure = replaceContent(file, content);
    if (failure)
        replaceContent(file, old);
    return failure;
}

std::optional<QString> writeInPlace(const QString& fileName, const QByteArray& content)
{
    QFile file(fileName);
    if (!file.open(writeMode))
        return file.errorString();
    if (auto failure = writeAll(file, content))
        return failure;
    file.close();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return std::nullopt;
}

} // namespace

std::optional<QString> writeFileWhole(const QString& fileName, const QByteArray& content)
{
    // QSaveFile renames its temporary file over the target on commit, which would turn a device such
    // as /dev/full into a regular file and report success. Such targets are written in place.
    const QFileInfo target(fileName);
    if (target.exists() && !target.isFile() && !target.isDir())
        return writeInPlace(fileName, content);
    if (target.isFile() && linkCount(fileName) > 1)
        return writeOver(fileName, content);

    QSaveFile file(fileName);
    if (!file.open(writeMode)) {
        // No temporary file fits in the folder, but the file itself may be written.
        if (target.isFile() && target.isWritable() && !QFileInfo(target.absolutePath()).isWritable())
            return writeOver(fileName, content);
        return file.errorString();
    }
    auto failure = writeAll(file, content);
    if (!failure && file.size() != content.size())
        failure = reasonOf(file);
    if (failure) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

QString cannotWriteText(const QString& fileName, const QString& reason)
{
    return localizedFilled("Cannot write file {file}:\n{reason}.",
                           {{"file", QDir::toNativeSeparators(fileName)}, {"reason", reason}});
}

bool saveFile(QWidget* parent, const QString& fileName, const QByteArray& content, Messenger& messages)
{
    const auto failure = writeFileWhole(fileName, content);
    if (failure)
        messages.inform(parent, cannotWriteText(fileName, *failure));
    return !failure;
}

} // namespace tarnis
