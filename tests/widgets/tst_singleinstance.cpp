// The one-copy lock: a live holder blocks a second copy; anything in the lock's place that is no lock
// held by a process (a directory, a link, an empty or foreign file) never stops the program from running.
#include "widgets/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>

class TstSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_name = QStringLiteral("velnor-test-%1.lock").arg(QCoreApplication::applicationPid());
        m_path = SingleInstance(m_name).lockPath();
        cleanup();
    }
    void cleanup()
    {
        QFile::remove(m_path);
        QDir(m_path).removeRecursively();
    }

    void secondCopyIsRefused()
    {
        SingleInstance first(m_name);
        QCOMPARE(first.acquire(), SingleInstance::Result::Acquired);
        SingleInstance second(m_name);
        QCOMPARE(second.acquire(), SingleInstance::Result::AlreadyRunning);
    }

    void unusableLockLetsTheProgramRun_data()
    {
        QTest::addColumn<QString>("thing");
        QTest::newRow("a directory") << "directory";
        QTest::newRow("a link") << "link";
        QTest::newRow("an empty file") << "empty";
        QTest::newRow("a file that is no lock") << "foreign";
    }
    void unusableLockLetsTheProgramRun()
    {
        QFETCH(QString, thing);
        if (thing == u"directory") {
            QVERIFY(QDir().mkpath(m_path));
            QVERIFY(QDir(m_path).mkdir(QStringLiteral("inside")));
        } else if (thing == u"link") {
            QVERIFY(QFile::link(QStringLiteral("/nonexistent/velnor"), m_path));
        } else {
            QFile file(m_path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (thing == u"foreign")
                file.write("not a lock\n");
        }
        SingleInstance instance(m_name);
        const SingleInstance::Result result = instance.acquire();
        QVERIFY(result != SingleInstance::Result::AlreadyRunning);
        if (thing == u"directory")
            QVERIFY(QFileInfo(m_path + QStringLiteral("/inside")).isDir()); // left as it was
    }

private:
    QString m_name;
    QString m_path;
};

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_singleinstance.moc"
