#include "SysCtrls/single_instance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include "SysCtrls/sysctrls_errors.h"

namespace kelmora {
namespace {

// A name no other run (or other test) holds.
QString freshUniqueName() {
    static int serial = 0;
    return QStringLiteral("KelmoraTest-%1-%2-%3")
        .arg(QCoreApplication::applicationPid())
        .arg(++serial)
        .arg(QRandomGenerator::global()->bounded(1000000));
}

struct ProbeRun {
    int exitCode = -1;
    QByteArray output;
};

ProbeRun runProbe(const QString& name, const QString& mode) {
    QProcess probe;
    probe.start(QStringLiteral(KELMORA_INSTANCE_PROBE), {name, mode});
    EXPECT_TRUE(probe.waitForFinished(5000)) << mode.toStdString();
    return {probe.exitStatus() == QProcess::NormalExit ? probe.exitCode() : -1, probe.readAllStandardOutput()};
}

// Starts the probe as the first copy and waits until it holds the name.
void startHoldingProbe(QProcess& probe, const QString& name) {
    probe.start(QStringLiteral(KELMORA_INSTANCE_PROBE), {name, QStringLiteral("hold")});
    ASSERT_TRUE(probe.waitForStarted(3000));
    while (!probe.readAllStandardOutput().contains("holding")) ASSERT_TRUE(probe.waitForReadyRead(3000));
}

TEST(SingleInstance, SecondCopyIsRefusedAndOnlyActivateFirstCallsTheFirstForward) {
    const struct {
        const char* mode;
        int exitCode;
        bool firstCalledForward;
    } cases[] = {
        {"check", 1, true},  // diActivateFirst
        {"terminate", 2, false},
        {"exception", 3, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        TSingleInstance first;
        first.UniqueName = freshUniqueName();
        ASSERT_TRUE(first.loaded());
        EXPECT_TRUE(first.isFirstInstance());
        QSignalSpy forward(&first, &TSingleInstance::activationRequested);

        const ProbeRun run = runProbe(first.UniqueName, QString::fromLatin1(c.mode));
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.output.startsWith("duplicate\n")) << run.output.toStdString();  // before the reaction
        if (c.firstCalledForward) {
            EXPECT_TRUE(forward.count() > 0 || forward.wait(2000));
        } else {
            QTest::qWait(200);
            EXPECT_EQ(forward.count(), 0);
        }
        if (c.exitCode == 3) {
            EXPECT_TRUE(run.output.contains("すでに起動されています"));
        }
    }
}

TEST(SingleInstance, NameIsFreeAgainAfterTheFirstCopyEnds) {
    const QString name = freshUniqueName();
    {
        TSingleInstance first;
        first.UniqueName = name;
        ASSERT_TRUE(first.loaded());
    }
    EXPECT_EQ(runProbe(name, QStringLiteral("check")).exitCode, 0);
}

TEST(SingleInstance, KilledFirstCopyDoesNotBlockTheNextStart) {
    const QString name = freshUniqueName();
    QProcess holder;
    startHoldingProbe(holder, name);
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(3000));
#if defined(Q_OS_UNIX)
    // The killed copy could not clean up: its socket is still there.
    const QString socket = TSingleInstance::serverNameFor(name);
    ASSERT_TRUE(QFile::exists(QDir::isAbsolutePath(socket) ? socket : QDir(QDir::tempPath()).filePath(socket)));
#endif

    TSingleInstance next;
    next.UniqueName = name;
    EXPECT_TRUE(next.loaded());
    EXPECT_FALSE(next.endRequested());
    // And it really holds the name now.
    EXPECT_EQ(runProbe(name, QStringLiteral("check")).exitCode, 1);
}

TEST(SingleInstance, CopiesStartedTogetherLeaveExactlyOneFirst) {
    const QString name = freshUniqueName();
    QProcess copies[3];
    QByteArray said[3];
    for (QProcess& copy : copies) copy.start(QStringLiteral(KELMORA_INSTANCE_PROBE), {name, QStringLiteral("hold")});
    // Each copy settles by ending as a duplicate or by saying it holds the
    // name; a copy that holds stays. However slow the machine, wait for all
    // three (the limit only ends a hung run).
    const auto holds = [&](int i) { return said[i].contains("holding"); };
    const auto settled = [&] {
        bool all = true;
        for (int i = 0; i < 3; ++i) {
            said[i] += copies[i].readAllStandardOutput();
            all = all && (copies[i].state() == QProcess::NotRunning || holds(i));
        }
        return all;
    };
    ASSERT_TRUE(QTest::qWaitFor(settled, 60000));
    int duplicates = 0, holders = 0;
    for (int i = 0; i < 3; ++i) {
        if (holds(i)) ++holders;
        else duplicates += copies[i].exitStatus() == QProcess::NormalExit && copies[i].exitCode() == 1;
    }
    EXPECT_EQ(holders, 1);
    EXPECT_EQ(duplicates, 2);
    for (QProcess& copy : copies) {
        copy.kill();
        copy.waitForFinished(3000);
    }
    QLocalServer::removeServer(TSingleInstance::serverNameFor(name));
}

TEST(SingleInstance, ExceptionReactionRaisesTheErrorMessageAfterOnDuplicate) {
    const QString name = freshUniqueName();
    QProcess holder;
    startHoldingProbe(holder, name);

    TSingleInstance second;
    second.UniqueName = name;
    second.DupInstAction = diException;
    second.ErrorMessage = QString::fromUtf8("二重起動");
    bool duplicateFired = false;
    second.OnDuplicate = [&](QObject* sender) {
        EXPECT_EQ(sender, &second);
        duplicateFired = true;
    };
    try {
        second.loaded();
        ADD_FAILURE() << "no exception";
    } catch (const EMultiAppInstance& e) {
        EXPECT_EQ(e.text(), QString::fromUtf8("二重起動"));
    }
    EXPECT_TRUE(duplicateFired);
    EXPECT_FALSE(second.isFirstInstance());
    EXPECT_FALSE(second.endRequested());  // the exception alone, no end request
    holder.kill();
    holder.waitForFinished(3000);
    QLocalServer::removeServer(TSingleInstance::serverNameFor(name));  // leave no socket behind
}

TEST(SingleInstance, OnlyOneGuardPerProcess) {
    auto first = std::make_unique<TSingleInstance>();
    EXPECT_EQ(first->ErrorMessage, QString::fromUtf8("すでに起動されています"));
    try {
        TSingleInstance second;
        ADD_FAILURE() << "second guard accepted";
    } catch (const EMultiSingleInstance& e) {
        EXPECT_STREQ(e.what(), "Only single component allowed");
    }
    first.reset();
    EXPECT_NO_THROW(TSingleInstance{});  // the refused one did not stay counted
}

}  // namespace
}  // namespace kelmora
