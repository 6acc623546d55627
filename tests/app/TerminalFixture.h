#pragma once

// A freshly reset host whose configuration directory is a temporary one; the
// demo's shipped data is loaded by the tests that need it.
#include "CSimulatedHost.h"

#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/ConfigDir.h"
#include "tc/HostReset.h"
#include "ttservice/COrderComandParam.h"
#include "utils/CSingletonT.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <vector>

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

    // The texts of the host's message list, oldest first.
    static QStringList messageTexts()
    {
        QStringList texts;
        for (const TC::CHostMessage &message :
             utils::CManualSingletonT<TC::CMsgService>::instance()->messages())
            texts << QString::fromStdString(message.text);
        return texts;
    }

    // Hands `orders` to the command centre as one command of the trader's.
    static ::testing::AssertionResult
    sendCommand(const std::vector<ttservice::CCodeOrderParam> &orders)
    {
        auto command = boost::make_shared<ttservice::COrderComandParam>();
        command->orders = orders;
        command->manual = true;
        if (utils::CManualSingletonT<TC::CItCommandCenter>::instance()->createCommand(command, {},
                                                                                      false, 0))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the command centre did not take the command";
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
