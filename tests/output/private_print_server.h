// A print server of the test's own: cupsd with its configuration, spool, logs and socket in a
// temporary folder, so that a test prints for real without touching the machine's printing. Its
// PDF queue uses the cups-pdf backend, which writes into the folder its system configuration names.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

namespace tarnis::test {

class PrivatePrintServer {
public:
    PrivatePrintServer();
    ~PrivatePrintServer();
    PrivatePrintServer(const PrivatePrintServer&) = delete;
    PrivatePrintServer& operator=(const PrivatePrintServer&) = delete;

    // Starts the server and waits until it answers; why not, when it cannot run here.
    std::optional<QString> start();
    void stop();

    // Where clients reach the server (the value for CUPS_SERVER).
    QString socketPath() const;
    // Where clients read their saved printer options (the value for CUPS_SERVERROOT).
    QString clientRoot() const { return m_folder.path(); }

    // Adds a PDF queue, or makes a queue the server's default destination; why not, when it fails.
    std::optional<QString> addPdfQueue(const QString& name);
    std::optional<QString> makeDefault(const QString& name);
    // Whether the PDF printer wrote the file of that name for a job of this server: its jobs are
    // numbered apart from those of any other test running at the same time, and the number ends
    // the name.
    bool printedHere(const QString& pdfName) const;

    // Runs a CUPS client tool against this server; its output, or empty when it failed.
    std::optional<QString> runTool(const QString& tool, const QStringList& arguments) const;

    // The end of the server's error log, to explain a failure.
    QString logTail() const;

private:
    QString path(const QString& name) const { return m_folder.filePath(name); }
    bool writeConfiguration();
    int firstJobId() const;
    bool waitUntilAnswering();

    QTemporaryDir m_folder;
    QProcess m_daemon;
};

// The folder where the cups-pdf backend puts the PDF files of the user running this process.
QString cupsPdfOutputFolder();

// The log that the cups-pdf backend keeps for a queue of this name.
QString cupsPdfLog(const QString& queue);

} // namespace tarnis::test
