// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// quorvane-cli run as a process: its exit status (-1 when it did not end by
// itself within a minute) and what it wrote.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct CliRun {
    int status = -1;
    QByteArray out, err;
};

inline CliRun Cli(const QStringList &args) {
    QProcess process;
    process.start(QStringLiteral(QUORVANE_CLI_PATH), args);
    const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}
