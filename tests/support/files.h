// Files as the tests look at them and the disk trouble they stage: a whole file's bytes, and a
// file-size limit that makes writes fail as on a nearly full disk.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <sys/resource.h>

namespace tarnis::test {

// Every byte of the file; empty when it cannot be read.
QByteArray contentOf(const QString& fileName);

// Creates or replaces the file with this content.
void writeContent(const QString& fileName, const QByteArray& content);

// A file-size limit for this process while the object lives, as a nearly full disk would set one:
// writes beyond it fail with "File too large" instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace tarnis::test
