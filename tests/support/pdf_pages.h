#pragma once

// The text of each page of a PDF, laid out as printed, read back with poppler's pdftotext.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace idrovela::test_support {

// None without pdftotext. The PDF goes in on pdftotext's standard input, not by name: a
// Windows program under Wine names its files in a way the Linux pdftotext cannot open.
[[nodiscard]] inline std::optional<QStringList> PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray pdf = file.readAll();
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                   QStringLiteral("fd://0"), QStringLiteral("-")});
    if (!process.waitForStarted(30000)) {
        return std::nullopt;
    }
    process.write(pdf);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return std::nullopt;
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QChar('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) {
        pages.pop_back();  // after the last page's form feed
    }
    return pages;
}

// Why pdftotext cannot be asked here, or nothing. On Linux it is always asked: without it the
// tests fail, saying which package to install. Under Wine a Windows program cannot start a Linux
// one: there scripts/windows.sh compares the report's pages and text with Linux's instead.
[[nodiscard]] inline std::optional<std::string> PdfToTextMissing() {
#ifdef _WIN32
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-v")});
    if (!process.waitForStarted(30000)) {
        return "pdftotext, a Linux program, cannot be started from a Windows one";
    }
    process.waitForFinished(30000);
#endif
    return std::nullopt;
}

}  // namespace idrovela::test_support

// The first line of a test that reads a PDF back.
#define IDROVELA_NEEDS_PDFTOTEXT()                                       \
    if (const auto why = ::idrovela::test_support::PdfToTextMissing()) { \
        GTEST_SKIP() << *why;                                            \
    }
