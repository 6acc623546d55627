#pragma once

// A freshly reset host whose configuration directory is a temporary one; the
// demo's shipped data is loaded by the tests that need it.
#include "CSimulatedHost.h"

#include "tc/ConfigDir.h"
#include "tc/HostReset.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class TerminalFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TC::resetHostForTests();
        ASSERT_TRUE(dir.isValid());
        TC::setConfigDir(dir.path());
        // Positions move only where a test asks for the feed (its own host.ini).
        write("host.ini", "[feed]\npositionIntervalMs=0\n");
    }
    void TearDown() override { TC::resetHostForTests(); }

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Loads the shipped data; files in the configuration directory take their
    // place. The paper book the last load left is not read unless a test asks
    // for it: tests that load again after changing a seed file see the change.
    ::testing::AssertionResult load(app::CSimulatedHost &host) const
    {
        if (!readsPaperBook)
            host.setResetPaper(true);
        QString error;
        if (host.load(QStringLiteral(FICC_APP_DATA_DIR), dir.path(), &error))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << error.toStdString();
    }

    // The commands of a journal file, one JSON object a line; none when it is missing.
    QList<QJsonObject> journalLines(const QString &name) const
    {
        QList<QJsonObject> lines;
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly))
            return lines;
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith('\n')) << "the last line is ended too";
        for (const QByteArray &line : bytes.split('\n')) {
            if (!line.isEmpty())
                lines << QJsonDocument::fromJson(line).object();
        }
        return lines;
    }

    QTemporaryDir dir;
    bool readsPaperBook = false;
};
