// Writing a file whole or not at all, and telling the user once, by name and reason, when that fails.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QWidget;

namespace tarnis {

class Messenger;

// Writes the file and returns nothing on success, or the reason it failed. A regular file is written
// beside the old one and replaces it only when every byte is on disk, so a failure leaves the old
// file whole. A device or a pipe is written in place: replacing it would destroy the device node. A
// file with hard links, or one in a folder where no other file can be made, is written over in place
// once the disk has room for the whole text; a failure then puts the old text back.
std::optional<QString> writeFileWhole(const QString& fileName, const QByteArray& content);

// writeFileWhole, with one message naming the file and the reason when it fails; true when written.
bool saveFile(QWidget* parent, const QString& fileName, const QByteArray& content, Messenger& messages);

// The message for a file that could not be written.
QString cannotWriteText(const QString& fileName, const QString& reason);

} // namespace tarnis
