// Starts the real program file in turn, as a user does from a desktop.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

class SingleInstance : public testing::Test {
 protected:
  void SetUp() override {
    // Copies of the program in a folder of their own, so that tests running in parallel
    // and a user's own copy do not see each other.
    ASSERT_TRUE(Folder.isValid());
    Program = Folder.filePath(QStringLiteral("tavolix-under-test-%1").arg(QCoreApplication::applicationPid()));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVOLIX_PROGRAM), Program));
  }
  void TearDown() override {
    for (QProcess* p : Started) {
      p->kill();
      p->waitForFinished();
      delete p;
    }
  }
  // display: the graphical session the copy believes it runs in.
  QProcess* Start(const QString& program, const QString& display = QStringLiteral(":0")) {
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("tavolix.instance.info=true"));
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::MergedChannels);
    p->start(program, {});
    EXPECT_TRUE(p->waitForStarted());
    Started.push_back(p);
    return p;
  }
  // A started copy that keeps running has shown its window and entered its event loop.
  static bool StillRunningAfter(QProcess* p, int ms) { return !p->waitForFinished(ms); }

  QTemporaryDir Folder;
  QString Program;
  std::vector<QProcess*> Started;
};

TEST_F(SingleInstance, SecondStartRaisesTheFirstAndEnds) {
  QProcess* first = Start(Program);
  ASSERT_TRUE(StillRunningAfter(first, 1500));
  QProcess* second = Start(Program);
  ASSERT_TRUE(second->waitForFinished(5000));
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
  first->waitForReadyRead(2000);
  EXPECT_TRUE(first->readAll().contains("activation request from a later start"));
  EXPECT_TRUE(StillRunningAfter(first, 100));
}

TEST_F(SingleInstance, CopyUnderAnotherNameStartsNormally) {
  const QString other = Program + QStringLiteral("-renamed");
  ASSERT_TRUE(QFile::copy(Program, other));
  QProcess* first = Start(Program);
  ASSERT_TRUE(StillRunningAfter(first, 1500));
  EXPECT_TRUE(StillRunningAfter(Start(other), 1500));
}

TEST_F(SingleInstance, OneCopyPerDisplay) {
  QProcess* first = Start(Program, QStringLiteral(":0.0"));
  ASSERT_TRUE(StillRunningAfter(first, 1500));
  EXPECT_TRUE(StillRunningAfter(Start(Program, QStringLiteral(":1")), 1500));
  QProcess* sameDisplay = Start(Program, QStringLiteral(":0"));
  ASSERT_TRUE(sameDisplay->waitForFinished(5000));
  EXPECT_EQ(sameDisplay->exitCode(), 0);
}

TEST_F(SingleInstance, FileNameLongerThanASocketNameStillMeetsItsCopy) {
  const QString longName = Folder.filePath(QString(200, QLatin1Char('t')));
  ASSERT_TRUE(QFile::copy(Program, longName));
  QProcess* first = Start(longName);
  ASSERT_TRUE(StillRunningAfter(first, 1500));
  QProcess* second = Start(longName);
  ASSERT_TRUE(second->waitForFinished(5000));
  first->waitForReadyRead(2000);
  EXPECT_TRUE(first->readAll().contains("activation request from a later start"));
}

TEST_F(SingleInstance, StartAfterTheFirstEndedOrWasKilledRunsNormally) {
  QProcess* first = Start(Program);
  ASSERT_TRUE(StillRunningAfter(first, 1500));
  first->kill();  // SIGKILL: no chance to clean anything up
  ASSERT_TRUE(first->waitForFinished());
  EXPECT_TRUE(StillRunningAfter(Start(Program), 1500));
}

}  // namespace
